#pragma once

#include <QString>

#include <vector>

class clsCountdown;

// The property lines of a countdown data file, in file order: each tag with how its value is
// written from the countdown and how a read value is converted and assigned.
namespace CountdownDataFields {

struct Field {
    QString tag; // the property name, without brackets
    // The value text of the line; `writtenAt` is the time of writing.
    QString (*write)(const clsCountdown& countdown, double writtenAt);
    // Converts the value and assigns it through the property's Let; raises VbError when the
    // value does not convert, leaving the property as it was.
    void (*read)(clsCountdown& countdown, const QString& value);
};

// The 70 property lines (CountdownName appears twice).
const std::vector<Field>& fields();

// The field whose opening tag, "<" + tag + ">", is exactly `openingTag`; null when none.
const Field* fieldForOpeningTag(const QString& openingTag);

} // namespace CountdownDataFields
