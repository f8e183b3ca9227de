#pragma once
// The model layer: the values the windows share.
//
// The flow of one reading: the input window emits the person's details; the application computes
// the Reading of them (the engine's Interpretation, its six texts and their workings) and
// hands it to the results window, which shows it; Print hands the same Reading to the report
// dialog, which composes it as rich text and saves or prints it. Results describes the six
// results once; Product names the program; WebPages opens the publisher's pages.

#include "engine/Explanation.h"
#include "engine/Numerology.h"
#include "engine/Records.h"
#include "model/Results.h"

#include <QString>

#include <array>
#include <string>

// The catalogue's texts as the windows show them ("\n" line breaks), each converted once: for each
// result in the order of kResults, at each text number (Reading::textNumber) the text it chooses;
// null where it chooses none.
using CatalogueTexts = std::array<std::array<QString, numerology::kLargestKeptNumber + 1>, kResultCount>;
const CatalogueTexts &catalogueTexts();

struct Reading {
    numerology::Interpretation interpretation;
    // The six description texts in the order of kResults, with "\n" line breaks, exactly as the
    // results window shows them.
    std::array<QString, kResultCount> descriptions;
    // The working of each result in the order of kResults, as the engine tells it (UTF-8, one step
    // a line): the steps that reach its value, the last one stating it. Empty before the first
    // reading.
    std::array<numerology::Working, kResultCount> workings;

    // What the results window shows before any reading: its placeholder in each box.
    static Reading placeholders();

    // The reading of a person as the results window shows it after this one: a result whose
    // number has no text in the catalogue keeps this reading's text, as the box that shows it does.
    Reading readingOf(const numerology::PersonDetails &person) const;

    // The number that chooses a result's text in the catalogue (catalogueTexts): its own number
    // from 1 to numerology::kLargestKeptNumber, otherwise 0, as for the colour, which has none.
    std::size_t textNumber(Result result) const;
    // A result's value as the windows write it: a number in plain decimal, or the colour's name.
    QString valueText(Result result) const;
    // The same in UTF-8.
    std::string valueUtf8(Result result) const;
    const QString &description(Result result) const { return descriptions[indexOf(result)]; }
    // A result's working, one step a line.
    QString working(Result result) const;
};
