#include "countdown/ApplicationFolder.h"

#include <QCoreApplication>

QString countdownApplicationFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return folder;
}
