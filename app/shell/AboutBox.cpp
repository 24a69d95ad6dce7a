#include "app/shell/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/shell/ProgramArt.h"

namespace navora {
namespace {

constexpr int kIconSize = 64;

// A label whose links open in the desktop's default handler.
QLabel* Link(const QString& target, const QString& text) {
  auto* label =
      new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(target, text.toHtmlEscaped()));
  label->setTextFormat(Qt::RichText);
  label->setTextInteractionFlags(Qt::TextBrowserInteraction);
  label->setOpenExternalLinks(true);
  return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Navora"));
  setWindowIcon(ProgramIcon());

  auto* icon = new QLabel;
  icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
  icon->setAlignment(Qt::AlignTop);

  auto* text = new QVBoxLayout;
  text->addWidget(new QLabel(QStringLiteral("Navora for Windows 2.1*")));
  text->addSpacing(8);
  text->addWidget(new QLabel(QStringLiteral("Contact us at:")));
  const QString site = QString::fromLatin1(kProjectSiteUrl);
  const QString manual = QString::fromLatin1(kProjectManualUrl);
  const QString support = QString::fromLatin1(kSupportAddress);
  text->addWidget(Link(site, site));
  text->addWidget(Link(manual, manual));
  text->addWidget(Link(QStringLiteral("mailto:") + support, support));
  text->addSpacing(8);
  text->addWidget(new QLabel(QStringLiteral("Docking windows: Qt 6 Widgets")));

  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addSpacing(12);
  body->addLayout(text, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace navora
