#pragma once
// A reading as the windows show it and the report prints it.
//
// The flow of one reading: the input window emits the person's details; the application computes
// the next Reading from them and hands it to the results window, which shows it; Print hands the
// same Reading to the report dialog, which composes it as rich text and saves or prints it.

#include "Records.h"

#include <QString>

#include <array>

struct Reading {
    numerology::Interpretation interpretation;
    // The six description texts in tab order (Lucky Number … Second Health Indication), with CR LF
    // line breaks, exactly as the results window shows them.
    std::array<QString, 6> descriptions;

    // What the results window shows before any reading: a short placeholder in each box.
    static Reading placeholders();

    // The reading of a person. A result whose number has no text in the catalogue keeps the text
    // this reading shows for it, as the box that shows it does.
    Reading next(const numerology::PersonDetails &person) const;
};
