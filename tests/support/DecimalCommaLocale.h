#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>

// Switches the C library's numeric conventions to German ones (decimal comma) for the object's
// lifetime, as a desktop session in most of Europe has them, and puts the previous ones back.
// When the system has no German locale, one is compiled into a temporary folder and found
// through LOCPATH. error() says why the switch failed; it is empty when the switch worked.
class DecimalCommaLocale {
public:
    DecimalCommaLocale();
    ~DecimalCommaLocale();
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    const QString& error() const { return error_; }

private:
    QString compileIntoTemporaryFolder();

    std::string previous_;
    std::unique_ptr<QTemporaryDir> compiled_;
    bool hadLocpath_ = false;
    QByteArray previousLocpath_;
    QString error_;
};
