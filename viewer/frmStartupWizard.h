#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// The startup wizard: shortcuts to the viewer with the current package, the about box, help,
// and the "Show Startup Wizard" setting. Shown modally.
class frmStartupWizard : public QDialog {
    Q_OBJECT
public:
    explicit frmStartupWizard(QWidget* parent = nullptr);

    // Builds a wizard, runs it modally and returns when it is closed (or the program ends).
    static void ShowModal(QWidget* parent = nullptr);

    // The element `index` of the button array `name` ("Command1" or "Command2"); nullptr when
    // there is none. Each element carries its index in the "Index" property.
    QPushButton* button(const QString& name, int index) const;

    void Command1_Click(int index);
    void Command2_Click(int index);
    void chkLoadTipsAtStartup_Click();

private:
    void Form_Load();
    void createShortcut(int folderCode);
    QPushButton* addButton(const QString& name, int index, const QString& caption, const QString& toolTip);

    QLabel* m_lblCountdownName = nullptr;
    QLabel* m_lblSoftwareName = nullptr;
    QCheckBox* m_chkLoadTipsAtStartup = nullptr;
};
