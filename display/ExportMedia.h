#pragma once

#include <QString>

// The picture and the logo an export names: each is a member of the work folder, found by the
// rule the countdown window shows them with.
namespace ExportMedia {

// The internal path of the file `name` names (in the work folder unless the name holds a
// folder of its own); empty when there is no name or the file is missing or holds no bytes.
QString presentFile(const QString& name);

} // namespace ExportMedia
