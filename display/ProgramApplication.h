#pragma once

#include <QApplication>

#include <exception>

// The application object of both programs. An error that escapes an event handler (no procedure
// trapped it) becomes one message and the program's end with status 1, never an abort; a fatal
// failure of Qt's own start (its platform plugin) ends the process with status 1 too.
class ProgramApplication : public QApplication {
    Q_OBJECT
public:
    ProgramApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

namespace ProgramTrap {

// Reports the escaped `error` in one message box and ends the program with status 1
// (ProgramEnd::End). Once one has been reported, a later one (while its box is open, or after)
// adds no second message: the program is ending for the first. The record of that report is
// the program's DisplayContext's; without a context the error is still one message, and the
// event loop is asked to end with status 1.
void endOnEscapedError(std::exception_ptr error);

} // namespace ProgramTrap
