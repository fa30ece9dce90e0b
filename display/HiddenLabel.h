#pragma once

#include <QLabel>
#include <QString>

// An invisible label used as a data slot and as a command: assigning a new caption emits
// Change() before setCaption returns (direct connections only); the same text again does nothing.
class HiddenLabel : public QLabel {
    Q_OBJECT
public:
    // The design caption is the label's own name unless another is given.
    explicit HiddenLabel(const QString& name, QWidget* parent = nullptr,
                         const QString& designCaption = QString());

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QString designCaption() const { return m_designCaption; }

signals:
    void Change();

private:
    QString m_caption;
    QString m_designCaption;
};
