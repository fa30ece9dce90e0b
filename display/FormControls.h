#pragma once

#include <QObject>
#include <QString>

class ElasticPanel;
class HiddenLabel;
class StatusBar;
class VbTimer;

// Controls of a form reached by their names at run time. A name no control carries raises
// VbError 424 "Object required"; a control array without the element asked for raises
// VbError 340 "Control array element 'N' doesn't exist".
namespace FormControls {

QObject* control(const QObject& form, const QString& name);
ElasticPanel* panel(const QObject& form, const QString& name);
ElasticPanel* panel(const QObject& form, const QString& name, int index);
HiddenLabel* label(const QObject& form, const QString& name);
StatusBar* statusBar(const QObject& form, const QString& name);
VbTimer* timer(const QObject& form, const QString& name);

} // namespace FormControls
