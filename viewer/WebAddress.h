#pragma once

#include <QString>

class QWidget;

// Opens a web or e-mail address in the desktop's program for it. Only http://, https://,
// mailto: addresses and ones beginning with "www." are handed on (scheme case-insensitive);
// anything else (a local file, "file:", a program path, an empty text) is refused with a
// message box and never reaches the desktop.
void openWebAddress(const QString& address, QWidget* window = nullptr);

// True when openWebAddress would hand the address to the desktop.
bool isWebAddress(const QString& address);

// The address as openWebAddress hands it on: trimmed, and an e-mail address ("mailto:", any
// case) with its recipients and no fields but to, cc, bcc, subject and body (names in any case,
// also percent-encoded); every other field, an attachment above all, is dropped. Other
// addresses are passed on as they are.
QString addressToOpen(const QString& address);

// The maker's web site, as shown to the user and opened by the about box and the status bar.
QString makerWebSite();
