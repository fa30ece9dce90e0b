#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vantrel Viewer"));
    window.resize(600, 450);
    window.show();
    return app.exec();
}
