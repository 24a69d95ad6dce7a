#include "app/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "support/ScratchSession.h"

namespace navora {
namespace {

constexpr int kWaitMs = 3000;

// A socket name no other test process or running program uses.
QString TestName(const char* suffix) {
  return QStringLiteral("NavoraTest-%1-%2")
      .arg(QCoreApplication::applicationPid())
      .arg(QString::fromLatin1(suffix));
}

TEST(SingleInstance, SecondCopyStandsDownAndRaisesTheFirst) {
  testing::ScratchSession session;
  const QString lockDirectory = QString::fromStdString(session.File(""));
  const QString name = TestName("raise");

  SingleInstance first(name, lockDirectory);
  ASSERT_TRUE(first.Claim());
  QSignalSpy raised(&first, &SingleInstance::RaiseRequested);

  SingleInstance second(name, lockDirectory);
  EXPECT_FALSE(second.Claim());
  ASSERT_TRUE(raised.wait(kWaitMs));
  EXPECT_EQ(raised.count(), 1);

  // Each later copy asks again.
  SingleInstance third(name, lockDirectory);
  EXPECT_FALSE(third.Claim());
  ASSERT_TRUE(raised.wait(kWaitMs));
  EXPECT_EQ(raised.count(), 2);
}

TEST(SingleInstance, TheLockIsFreedWhenTheFirstCopyEnds) {
  testing::ScratchSession session;
  const QString lockDirectory = QString::fromStdString(session.File(""));
  const QString name = TestName("release");
  {
    SingleInstance first(name, lockDirectory);
    ASSERT_TRUE(first.Claim());
  }
  SingleInstance next(name, lockDirectory);
  EXPECT_TRUE(next.Claim());
  // Its socket took over the name: a later copy reaches it.
  QSignalSpy raised(&next, &SingleInstance::RaiseRequested);
  SingleInstance later(name, lockDirectory);
  EXPECT_FALSE(later.Claim());
  EXPECT_TRUE(raised.wait(kWaitMs));
}

}  // namespace
}  // namespace navora
