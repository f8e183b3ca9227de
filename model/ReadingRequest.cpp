#include "model/ReadingRequest.h"

#include "engine/Calendar.h"

std::optional<ReadingRequest::Refusal> ReadingRequest::refusal() const
{
    if (firstName.isEmpty())
        return Refusal{Field::FirstName, QStringLiteral("Please Enter Your First Name")};
    if (lastName.isEmpty())
        return Refusal{Field::LastName, QStringLiteral("Please Enter Your Last Name")};
    if (day <= numerology::daysInMonth(year, month))
        return std::nullopt;
    // The February message has no blank before its "!" and the other one has; users and their
    // documentation know both texts as they are.
    return Refusal{Field::Date, month == 2 ? QStringLiteral("Please Enter Correct Date Or Month!")
                                           : QStringLiteral("Please Enter Correct Date Or Month !")};
}

numerology::PersonDetails ReadingRequest::person() const
{
    numerology::PersonDetails person;
    person.firstName = firstName.trimmed().toStdString();
    person.middleName = middleName.trimmed().toStdString();
    person.lastName = lastName.trimmed().toStdString();
    person.birthDay = static_cast<std::int16_t>(day);
    person.birthMonth = numerology::kMonthNames[static_cast<std::size_t>(month - 1)];
    person.birthYear = static_cast<std::int16_t>(year);
    person.birthHour = static_cast<std::int16_t>(hour);
    return person;
}
