#include "model/ReadingRequest.h"

#include "engine/Calendar.h"

namespace {

// A name trimmed, in UTF-8. A name is most often ASCII, whose bytes are its characters: made
// without an encoder, and without an allocation for a name that fits in std::string's own room,
// since a file of people asks this for every row.
std::string trimmedUtf8(const QString &name)
{
    const QStringView trimmed = QStringView(name).trimmed();
    std::string bytes(static_cast<std::size_t>(trimmed.size()), '\0');
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t c = trimmed[i].unicode();
        if (c >= 0x80)
            return trimmed.toUtf8().toStdString();
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(c);
    }
    return bytes;
}

} // namespace

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
    person.firstName = trimmedUtf8(firstName);
    person.middleName = trimmedUtf8(middleName);
    person.lastName = trimmedUtf8(lastName);
    person.birthDay = static_cast<std::int16_t>(day);
    person.birthMonth = numerology::kMonthNames[static_cast<std::size_t>(month - 1)];
    person.birthYear = static_cast<std::int16_t>(year);
    person.birthHour = static_cast<std::int16_t>(hour);
    return person;
}
