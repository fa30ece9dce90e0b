#pragma once

// The open dialog for a countdown package. Loading it runs the whole dialog and leaves the
// chosen path in modVantrelViewer::CurrentFile() (unchanged after a cancel).
namespace frmOpenTemplate {

void Form_Load();

} // namespace frmOpenTemplate
