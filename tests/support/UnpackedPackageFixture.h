#pragma once

#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "support/FixedClock.h"
#include "support/PackageBuilder.h"
#include "support/ProgramFolderFixture.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

// A program folder whose work folder holds the package Party.MVL unpacked, as a program's
// start-up leaves it, for the tests of the countdown window of either program. The clock stands
// at `start`, 26 seconds before `event`.
template <class Context>
class UnpackedPackageTest : public ProgramFolderTest<Context> {
protected:
    QString packagePath() const { return this->folder.internalPath(QStringLiteral("Party.MVL")); }

    // Writes the countdown's data file (as `fill` makes it) into the work folder, packs it as
    // Party.MVL, then unpacks the package again as the start-up does. Returns the package path.
    QString packAndUnpack(const std::function<void(clsCountdown&)>& fill)
    {
        {
            clsCountdown countdown;
            countdown.setDatabaseLocation(this->work);
            countdown.setCountdownFileName(QStringLiteral("Party.MVK"));
            fill(countdown);
            EXPECT_TRUE(countdown.Update());
        }
        const QString package = packagePath();
        PackageBuilder().blankReserved().dataFrom(this->work, "Party.MVK").writeTo(package);
        QFile::remove(this->folder.nativePath(QStringLiteral("Temp/Party.MVK")));
        EXPECT_TRUE(ModJoinsSkins::OpenCountdownPackage(package, false, this->work));
        return package;
    }

    const double start = vb::oleDateFromParts(2027, 3, 14, 15, 9, 0);
    const double event = vb::oleDateFromParts(2027, 3, 14, 15, 9, 26);
    FixedClock clock{start};
};
