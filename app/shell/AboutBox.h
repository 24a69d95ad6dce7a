#pragma once

#include <QDialog>

namespace navora {

// "About Navora": the program's icon and version, where to reach the
// project, and the credit for the docking windows.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

// The addresses the About box links to (placeholders of the project's own
// until it has a public home).
inline constexpr char kProjectSiteUrl[] = "https://navora.example.org/";
inline constexpr char kProjectManualUrl[] = "https://navora.example.org/manual/";
inline constexpr char kSupportAddress[] = "support@navora.example.org";

}  // namespace navora
