#pragma once

#include "countdown/PackageProgress.h"

#include <QWidget>

class ElasticPanel;

// The small window that shows the progress of saving a package: one elastic panel,
// eo1Progress, whose caption is the text and whose fill is the percentage.
class frmLoadingData : public QWidget, public PackageProgress {
    Q_OBJECT
public:
    explicit frmLoadingData(QWidget* parent = nullptr);

    ElasticPanel* eo1Progress() const { return m_progress; }

    void showProgress() override;
    void setCaption(const QString& text) override;
    void setPercent(int percent) override;
    void closeProgress() override;

    // Makes the package writer show this window while it saves; each program's main calls it.
    static void installAsPackageProgress();

private:
    ElasticPanel* m_progress;
};
