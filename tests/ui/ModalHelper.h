// Answers modal dialogs from a test: the action runs on the first modal widget that
// matches, as soon as it is shown. A dialog that never comes is reported as a failure
// and every modal widget is closed, so a test cannot hang on it.
#pragma once

#include <QString>

#include <functional>

class QWidget;

void WhenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> action);
// Matches by object name.
void WhenModal(const QString& objectName, std::function<void(QWidget*)> action);
// Matches a message box.
void WhenMessageBox(std::function<void(QWidget*)> action);
