#pragma once

// The only code that touches the disk. Every path argument is an internal path ("\" or "/"
// joined); when the exact path does not exist, each component is looked up without regard to
// case. Every failure raises platform::VbError with VB's number and description. A name may hold
// every character a Linux name can except NUL; "*" and "?" only as a pattern, in the last
// component given to dir(), and 52 everywhere else.
//
// Each part of the file layer has a header of its own; this one brings them all.
#include "platform/AtomicFile.h"
#include "platform/FileAttributes.h"
#include "platform/FileBytes.h"
#include "platform/FileEntries.h"
#include "platform/FileListing.h"
#include "platform/FilePaths.h"
#include "platform/HeldFolder.h"
#include "platform/InstanceLock.h"
#include "platform/NativeEntries.h"
#include "platform/UnheldLeftovers.h"
