#pragma once

#include <QLabel>
#include <QLineEdit>
#include <string>

namespace navora {

// The dialogs hand their edits to the models as the engine's Latin-1 text.
inline std::string EditText(const QLineEdit& edit) { return edit.text().toLatin1().toStdString(); }

inline void SetEditText(QLineEdit& edit, const std::string& text) {
  edit.setText(QString::fromLatin1(text));
}

// A caption whose "&" mnemonic moves the focus to `buddy`.
inline QLabel* BuddyLabel(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace navora
