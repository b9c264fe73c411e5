// Design Ispecs: every Ispec, and the events and components among them.
//
// The usage of an Ispec is stored once, as a letter (Q inquiry, I input, O output, B both,
// or another letter), and read in every form the callers use: GetUsage() compares equal
// to the letter ('B') and to the usage number (15 inquiry, 7 input, 13 output, 0 both;
// -1 for another letter), and gives both (Letter(), Number()).
// A component's type is stored once too, as its type number; GetType() compares equal to
// the number (1 or 33 direct, 10 or 42 memo, 17 or 49 table, anything else standard) and
// to its letter ('D', 'M', 'T', 'S').
#pragma once

#include "proxy/PxLSEFormObject.h"

#include <cstdint>

class PxLSEIspecUsage {
public:
    explicit PxLSEIspecUsage(char letter) : m_letter(letter) {}

    char Letter() const { return m_letter; }
    int Number() const;
    bool operator==(char letter) const { return m_letter == letter; }
    bool operator==(int number) const { return Number() == number; }

private:
    char m_letter;
};

class PxLSEComponentType {
public:
    explicit PxLSEComponentType(int number) : m_number(number) {}

    int Number() const { return m_number; }
    char Letter() const;
    bool operator==(int number) const { return m_number == number; }
    bool operator==(char letter) const { return Letter() == letter; }

private:
    int m_number;
};

class PxLSEIspec : public PxLSEFormObject {
    PX_DECLARE_CLASS(PxLSEIspec, PxLSEFormObject)

    PxLSERevisionIdPtr GetTeachRevision() const;
    PxLSEIspecUsage GetUsage() const;
    // The name of the Ispec's primary profile; empty for none.
    PX_TEXT_GETTER(PrimaryProfile)
    PX_VALUE_GETTER(int, ExternalOnlyIspec)
    // Design colour number 1 to 8; 0 takes the business segment's.
    PX_VALUE_GETTER(int, Color)
    // The name of the Ispec's subsystem.
    PX_TEXT_GETTER(Subsystem)
    PX_VALUE_GETTER(std::int64_t, ChangeTimeStamp)
    // Above 0 when the Ispec was copied from another.
    PX_VALUE_GETTER(int, CopyFrom)
    void GetScreenDataUsageList(PxTypedList<PxLSEScreenDataUsagePtr>& usages) const;

protected:
    PxLSEIspec() = default;
};

class PxLSEEvent : public PxLSEIspec {
    PX_DECLARE_CLASS(PxLSEEvent, PxLSEIspec)

protected:
    PxLSEEvent() = default;
};

class PxLSEComponent : public PxLSEIspec {
    PX_DECLARE_CLASS(PxLSEComponent, PxLSEIspec)

    PxLSEComponentType GetType() const;
    // The profile ordered over the component; null for none.
    PxLSEProfilePtr GetOrdinateProfile() const;

protected:
    PxLSEComponent() = default;
};
