#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vantrel Screen Saver"));
    window.resize(600, 450);
    window.show();
    return app.exec();
}
