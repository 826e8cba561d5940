#pragma once
#include "core/Frequency.h"

#include <QString>
#include <variant>

// A field's value as its bytes mean it, before any text is made of it: the
// catalogue's readers and writers of values work on these, and a text is
// made of one only for a person or a file.

// A tone as its position in the tone selector: 0 off, then the tone list
// (the CTCSS tones, the DCS codes, the same codes inverted).
struct ToneValue {
    int position;
    friend bool operator==(ToneValue a, ToneValue b) { return a.position == b.position; }
};

// An item of a list, by its position.
struct ChoiceValue {
    int index;
    friend bool operator==(ChoiceValue a, ChoiceValue b) { return a.index == b.index; }
};

// A whole number.
struct NumberValue {
    int value;
    friend bool operator==(NumberValue a, NumberValue b) { return a.value == b.value; }
};

// Nothing (std::monostate): a field of a channel not in use, or an emptied
// box. A flag is a bool; a name, code or message its characters.
using FieldValue = std::variant<std::monostate, Frequency, ToneValue, ChoiceValue, NumberValue, bool, QString>;
