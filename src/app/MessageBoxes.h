#pragma once
// The program's message box: a text, an OK button and the icon of the
// MB_* style, under the application's title.
#include <string>

class QWidget;

void AfxMessageBox(QWidget* parent, const std::string& text, unsigned style);
