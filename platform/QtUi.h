#pragma once

#include "platform/Ui.h"

namespace platform {

// QMessageBox, QInputDialog and the application override cursor.
class QtUi : public Ui {
public:
    int msgBox(const QString& prompt, int buttons = vbmsg::vbOKOnly, const QString& title = {}) override;
    QString inputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {}) override;
    std::optional<QString> openFileDialog(const OpenFileRequest& request) override;
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }

private:
    int pointer_ = vbcursor::vbDefault;
};

} // namespace platform
