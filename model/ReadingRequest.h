#pragma once
// A request for a reading as the input window and the command line both take it, and the checks it
// must pass, so that the rule stands once: the names as the name boxes hold them (capitals and
// spaces) and the date and time of birth as the lists offer them.

#include "engine/Records.h"

#include <QString>

#include <optional>

// The first and last years of the year list.
inline constexpr int kFirstBirthYear = 1900;
inline constexpr int kLastBirthYear = 2999;

struct ReadingRequest {
    QString firstName;
    QString middleName;
    QString lastName;
    int year = kFirstBirthYear;
    int month = 1; // 1 = January
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    enum class Field { FirstName, LastName, Date };
    struct Refusal {
        Field field; // where the input window puts the focus (the date: nowhere)
        QString message;
    };

    // The first check the request fails, in the input window's order and with its words; nothing
    // when it passes. An empty name is refused; a name of spaces passes.
    std::optional<Refusal> refusal() const;

    // The person the reading is of, for a request that passes: the names trimmed, so that a name
    // of spaces reads as empty.
    numerology::PersonDetails person() const;
};
