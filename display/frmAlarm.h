#pragma once

#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>

class ElasticPanel;

// The alarm window: covers the whole screen above other windows, shows the countdown's picture
// and "You have reached " with the caption and the present date and time, and plays the alarm
// sound once. The window loads (Form_Load) each time it is shown after being unloaded; the load
// places and shows it before the sound plays, so a message about the sound comes over the alarm.
// Return, Enter, Space and Escape press Ok wherever the focus is on it; while it is up the pointer
// is the ordinary arrow, even where the program had hidden it. Opened while a modal dialog is
// up, it takes the keys and the mouse from that dialog until it closes, and then hands the
// activation back.
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
    // Steps of the load; the window is placed and shown in the second. Run by the first showing.
    void Form_Load();
    bool isLoaded() const { return m_loaded; }

    ElasticPanel* c1eAlarm() const { return m_c1eAlarm; }
    QPushButton* Command1() const { return m_command1; }

    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Covers the screen above other windows and shows the window, modal when another modal
    // window would otherwise keep the input.
    void placeAndShow();
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
    QPointer<QWidget> m_activeBefore; // the window that had the activation when the alarm opened
    int m_arrowPointer = 0; // its pointer layer while shown (platform/PointerLayers.h)
};
