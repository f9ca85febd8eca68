#pragma once

// The kinds' shared storage protocol; include only where an attribute kind is implemented.

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"

#include <utility>

// The range of a signed value of the data size; false for a size the drives never use.
inline bool SignedLimits(int dataSize, double& lo, double& hi) {
    switch (dataSize) {
    case 1:
        lo = -128;
        hi = 127;
        return true;
    case 2:
        lo = -32768;
        hi = 32767;
        return true;
    case 4:
        lo = -2147483648.0;
        hi = 2147483647.0;
        return true;
    default:
        return false;
    }
}

template <class T, class Read>
ZRAttribute::ReadOutcome ZRAttribute::ReadCandidate(T& candidate, const T& current, Read&& read,
                                                    const char* question) {
    if (!IsReadValid() || !HasId())
        return ReadOutcome::Done;
    ZRStorage* storage = GetStorage();
    try {
        return storage && read(*storage, candidate) ? ReadOutcome::Done : ReadOutcome::Failed;
    } catch (const ZRError& error) {
        if (!IsOffLine()) {
            AskKeepReading(error, question);
            return ReadOutcome::Failed;
        }
        Save();
        candidate = current;
        return ReadOutcome::SavedMissing;
    }
}

template <class T> bool ZRAttribute::TakeCandidate(T& value, T candidate, bool force) {
    if (candidate == value && !force)
        return true;
    value = std::move(candidate);
    Notify(ZRUpdate::ValueChanged);
    return true;
}

template <class T, class Read>
bool ZRAttribute::RefreshValue(T& value, bool force, Read&& read, const char* question) {
    T candidate = value;
    if (ReadCandidate(candidate, value, read, question) == ReadOutcome::Failed)
        return false;
    return TakeCandidate(value, std::move(candidate), force);
}

template <class Write> bool ZRAttribute::SaveValue(Write&& write) {
    if (!IsWriteValid() || !HasId())
        return true;
    ZRStorage* storage = GetStorage();
    try {
        return storage && write(*storage);
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
        Notify(ZRUpdate::ValueChanged);
        return false;
    }
}

template <class T, class Write> bool ZRAttribute::StoreValue(T& value, T next, Write&& write) {
    bool changed = next != value;
    if (IsWriteValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage || !write(*storage, next))
                return false;
        } catch (const ZRError& error) {
            ShowNamed(error.GetMessage());
            return false;
        }
        SetPrevAsString(GetAsString());
        value = std::move(next);
        Notify(ZRUpdate::ValueWritten);
    } else {
        value = std::move(next);
    }
    if (changed)
        Notify(ZRUpdate::ValueChanged);
    return true;
}

template <class Read> bool ZRAttribute::ExistsStored(Read&& read) {
    if (!HasId() || !GetDevice())
        return false;
    if (!IsOffLine())
        return IsSupported();
    ZRStorage* storage = GetStorage();
    if (!storage)
        return false;
    try {
        return read(*storage);
    } catch (const ZRError&) {
        return false;
    }
}
