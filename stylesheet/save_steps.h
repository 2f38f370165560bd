// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The steps of a save, for tests that stop a save between any two of them
// as a crash would. Internal to the core: never exported.
#ifndef VREX_STYLESHEET_SAVE_STEPS_H
#define VREX_STYLESHEET_SAVE_STEPS_H

namespace vrex::internal {

enum class SaveStep {
    Locked,           // both locks held, nothing read yet
    TemporaryWritten, // atomic: the new file complete beside the old one
    CopyKept,         // in place: the old bytes kept in the recovery copy
    RoomClaimed,      // in place: room for the new size reserved
    HalfWritten,      // in place: a NUL for the first byte, then the new bytes up to half
    Written,          // in place: all new bytes written, size set, first byte last
    Replaced,         // the new file in place and on disk, recovery copy still there
};

// Null outside tests, which set it to stop a save at a step.
extern void (*saveStepHook)(SaveStep step);

inline void reachSaveStep(SaveStep step)
{
    if (saveStepHook)
        saveStepHook(step);
}

} // namespace vrex::internal

#endif
