#pragma once

#include <QPushButton>
#include <QString>
#include <QWidget>

class ElasticPanel;

// The alarm window: covers the whole screen above other windows, shows the countdown's picture
// and "You have reached " with the caption and the present date and time, and plays the alarm
// sound once. The window loads (Form_Load) each time it is shown after being unloaded. Return,
// Enter, Space and Escape press Ok wherever the focus is on it; while it is up the pointer is the
// ordinary arrow, even where the program had hidden it.
class frmAlarm : public QWidget {
    Q_OBJECT
public:
    explicit frmAlarm(QWidget* parent = nullptr);
    ~frmAlarm() override;

    // The one shared instance both countdown windows open.
    static frmAlarm& instance();

    QString ImageFileName() const { return m_imageFileName; }
    void setImageFileName(const QString& name) { m_imageFileName = name; }
    QString EventCaption() const { return m_eventCaption; }
    void setEventCaption(const QString& caption) { m_eventCaption = caption; }
    QString SoundFile() const { return m_soundFile; }
    void setSoundFile(const QString& name) { m_soundFile = name; }
    QString EventDateFormat() const { return m_eventDateFormat; }
    void setEventDateFormat(const QString& pattern) { m_eventDateFormat = pattern; }

    void Command1_Click();
    void Form_Load();
    bool isLoaded() const { return m_loaded; }

    ElasticPanel* c1eAlarm() const { return m_c1eAlarm; }
    QPushButton* Command1() const { return m_command1; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placeCommand1();
    // Takes the keyboard focus back, which a message box of the load may have moved elsewhere.
    void takeFocus();
    void showArrowPointer();
    void restorePointer();

    ElasticPanel* m_c1eAlarm;
    QPushButton* m_command1;
    QString m_imageFileName;
    QString m_eventCaption;
    QString m_soundFile;
    QString m_eventDateFormat;
    bool m_loaded = false;
    int m_arrowPointer = 0; // its pointer layer while shown (platform/PointerLayers.h)
};
