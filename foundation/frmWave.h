#pragma once

#include <QString>
#include <QWidget>

class MMControl;
class QLabel;
class QScrollBar;
class QTimer;

// A small player for one sound file: the multimedia control, a seek bar showing the played
// percentage, and the position and length captions.
class frmWave : public QWidget {
    Q_OBJECT

public:
    explicit frmWave(QWidget* parent = nullptr);

    QString Filename() const { return m_filename; }
    void setFilename(const QString& path) { m_filename = path; }

    // Opens Filename and starts playing; run when the form is loaded (shown the first time).
    void Form_Load();

    MMControl* mciWave() const { return m_mciWave; }
    QScrollBar* hsbWave() const { return m_hsbWave; }
    QLabel* lblWave() const { return m_lblWave; }
    QLabel* lblWaveSec() const { return m_lblWaveSec; }
    QTimer* Timer1() const { return m_timer1; }

    void hsbWave_Scroll();
    void mciWave_StatusUpdate();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // False when the open failed (the error has been shown and the form unloaded).
    bool OpenMedia(const QString& path);
    void Form_Unload();
    void mciWave_PlayClick();
    void mciWave_PrevClick();
    void mciWave_NextClick();
    void mciWave_PauseClick();
    void mciWave_StopClick();
    void Timer1_Timer();

    MMControl* m_mciWave;
    QScrollBar* m_hsbWave;
    QLabel* m_lblWave;
    QLabel* m_lblWaveSec;
    QTimer* m_timer1;
    QString m_filename;
    bool m_loaded = false;
    bool m_unloaded = false;
};
