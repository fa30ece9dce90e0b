#pragma once

#include <QString>

#include <cstdint>

// Small text operations for the data-file readers and start-up code, and the per-user
// settings store. PellowString holds the last text handed to or produced by the object.
class clsStringUtilities {
public:
    QString PellowString() const;
    // Kept for the countdown model's interface; the programs themselves do not call it.
    void setPellowString(const QString& text);

    QString ConvertToAsc(const QString& text);
    // Raises VbError 13 for a character that is not a decimal digit.
    QString ConvertToChr(const QString& text);
    QString UnQuoteString(const QString& text);
    int16_t CountCRLF(const QString& text);
    int16_t iSlashCount(const QString& text);
    // Strips non-letters from both ends; `text` is changed in place to the result too.
    QString sStripToken(QString& text);
    QString StringFromBuffer(const QString& buffer);
    // The value between <tag> and </tag>, cut by lengths alone. Raises VbError 5 when the
    // line is shorter than both tags.
    QString StripXML(const QString& tag, const QString& line);
    QString sGetTag(const QString& text);

    QString GetIniString(const QString& section, const QString& key, const QString& defaultValue);
    void PutIniString(const QString& section, const QString& key, const QString& value);
    void DeleteIniString(const QString& section, const QString& key, const QString& value);

    static const QString kApplicationName;       // "Vantrel Dederuvevur, LLC"
    static const QString kDeleteApplicationName; // "Morvale"

private:
    QString sConvertToAsc(const QString& text) const;
    QString sConvertToChr(const QString& text) const;
    QString vUnQuoteString(const QString& text) const;
    int16_t iCountCRLF(const QString& text) const;

    QString m_pellowString;
};
