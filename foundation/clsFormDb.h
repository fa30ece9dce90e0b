#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>

class clsForm;

// One message the form-file reader or writer has to show, in the order it arose.
struct FormFileMessage {
    QString text;
    int buttons = 0; // message-box button and icon code
    bool operator==(const FormFileMessage&) const = default;
};

// The form file's format, apart from any disk or window: eleven scrambled lines ended by CR LF.
namespace FormFile {

extern const QString kRootTag;           // "<VazovuzAzodozaruVuzaz>"
extern const QString kFormatMessage;     // the "not in a format" text, CR LF, the report line

// The whole file for `record`, every line scrambled and ended by CR LF.
QByteArray write(const clsForm& record);

// Applies the file in `bytes` to `record` as the reading loop does and returns -1 when the
// file begins with the root tag, otherwise 0. Messages to show are appended to `messages`.
int16_t read(const QByteArray& bytes, clsForm& record, QVector<FormFileMessage>& messages);

// Fills `record` with the defaults of a window that has no form file, measuring the shared
// screen metrics on the way. Errors are appended to `messages`.
void applyDefaults(clsForm& record, QVector<FormFileMessage>& messages);

} // namespace FormFile

// Reads and writes the form file named by a record's FormFileName. Keeps no state between calls.
class clsFormDb {
public:
    QString DatabaseLocation() const;
    void setDatabaseLocation(const QString& location);

    int16_t Find_Form(clsForm& record);
    void DeleteForm(clsForm& record);
    int32_t CreateNewForm(clsForm& record);

private:
    int32_t WriteForm(clsForm& record);

    QString m_databaseLocation;
};
