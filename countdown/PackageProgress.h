#pragma once

#include <QString>

#include <functional>
#include <memory>

// What the package writer shows while it saves: a caption and a fill percentage. The countdown
// library knows no widgets; each program installs a factory that makes its progress window.
// Every call repaints at once, because saving processes no window messages meanwhile.
class PackageProgress {
public:
    virtual ~PackageProgress() = default;
    virtual void showProgress() = 0; // not modal; hourglass over the window
    virtual void setCaption(const QString& text) = 0;
    virtual void setPercent(int percent) = 0;
    virtual void closeProgress() = 0; // default pointer again, window gone
};

using PackageProgressFactory = std::function<std::unique_ptr<PackageProgress>()>;

// Without a factory the writer saves without showing anything (tests, tools).
void setPackageProgressFactory(PackageProgressFactory factory);
std::unique_ptr<PackageProgress> makePackageProgress();
