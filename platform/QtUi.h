#pragma once

#include "platform/PointerLayers.h"
#include "platform/Ui.h"

namespace platform {

// QMessageBox, QInputDialog and a pointer layer (PointerLayers).
class QtUi : public Ui {
public:
    int msgBox(const QString& prompt, int buttons = vbmsg::vbOKOnly, const QString& title = {}) override;
    QString inputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {}) override;
    std::optional<QString> openFileDialog(const OpenFileRequest& request) override;
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }

private:
    int pointer_ = vbcursor::vbDefault;
    pointerLayers::Layer pointerLayer_ = 0;
};

} // namespace platform
