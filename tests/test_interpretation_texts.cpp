#include "engine/Interpretation.h"
#include "engine/InterpretationTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace numerology;

namespace {

const char *kMoneyOpenings[22] = {
    "If you are being ruled by money number 1, then it is indicative of the fact that you will be earning money from a number of sources.",
    "Number two indicates that although you are a spendthrift person",
    "Number three indicates that each and every opportunity that will be coming your way",
    "Being a native of number four, you posses the ability to work hard and long",
    "Number five is considered to be a lucky number as far as money and finance is concerned.",
    "Number six exerts a helpful influence over your financial matters.",
    "If seen from a general perspective, number seven indicates that financial matters for you will reasonably be progressive.",
    "Number eight shows that financial matters are of prime importance in your life.",
    "Number nine indicates that most of your hopes, needs and personal desires are associated with money and financial matters.",
    "Number ten signifies sudden and abrupt gains and losses.",
    "Eleven is all over a peculiar number and this very number also exerts a rather peculiar influence.",
    "Some fluctuations in income as well as expenses are indicated by number twelve.",
    "Number thirteen indicates that each and every opportunity",
    "Here benefits can be derived through activities and interests to do with artistic life",
    "The number fifteen denotes that you will derive money and assist normal income as a result of proper and practical planning.",
    "Number sixteen gives you the capacity to work hard in order to attain success and obtain money.",
    "Being a native of number seventeen you are liable",
    "Number eighteen will stimulate your imaginative power in relation to monetary gains and finances.",
    "Number nineteen is an ambitious number.",
    "Twenty is a helpful number so far as the monetary gains are concerned.",
    "Number twenty-one is one of the fortunate numbers for financial matters.",
    "The number twenty two is a somewhat contrary number in its influence over money.",
};

const char *kHealthOpenings[22] = {
    "As long as you do not become a victim to mental strain, unnecessary worries and undue pressures, number one indicates that general health conditions will be quite good",
    "This number indicates that you will have a neat and fair compact form of physical body.",
    "Ruled by number three, some emotional issues and disturbances can result in a temporary loss of strength and vitality.",
    "If your health number is four, then you can assume that you will be having a good and a fine deal of physical health.",
    "If you are a native with number five as your health number, then you can be assured of a good and healthy condition.",
    "When emotional upsets occur or there is a disturbance of associations",
    "A strong and wiry type of physical body is the influence of number seven.",
    "Not a very strong type of physical body is given by number eight.",
    "A fairly strong type of body is ensured by number nine.",
    "Under the influence of this number, the native's nervous systems will have much influence over his/her general health conditions.",
    "Number eleven is a peculiar number and thus has a peculiar effect over your health.",
    "This is not a favorable number as far as health is concerned.",
    "The number thirteen gives you a strong type of physical body, good vital powers and plenty of what may be termed as 'life force'.",
    "General good health can be maintained if you avoid going to extremes in any directions.",
    "This is not a favorable number as far as health is concerned.",
    "Strong and muscular type physical body are the keywords describing the health conditions of those ruled by number sixteen.",
    "The number gives you a fairly strong type of physical body but, it shows that over activity, be it mental or physical, can affect the heart and cause indisposition.",
    "Not a very strong type of physical body is given by number eight.",
    "A well-formed physical body is given by number nineteen.",
    "Stomach and the abdominal regions are ruled over by this number.",
    "Number twenty-one is a number which is extremely strong and vital.",
    "The number twenty two shows that health conditions will not be strong during the early years of life but will strengthen as age increases.",
};

// The money and health texts of a key, as describeInterpretation gives them to a reading of that
// number, without their CR LF.
std::optional<std::string_view> WithoutBreak(std::optional<std::string_view> text)
{
    if (text)
        text->remove_prefix(2);
    return text;
}

std::optional<std::string_view> MoneyText(int key)
{
    Interpretation reading;
    reading.moneyNumber = static_cast<std::int16_t>(key);
    return WithoutBreak(describeInterpretation(reading).moneyText);
}

std::optional<std::string_view> HealthText(int key)
{
    Interpretation reading;
    reading.firstHealthIndication = static_cast<std::int16_t>(key);
    return WithoutBreak(describeInterpretation(reading).firstHealthIndicationText);
}

void ExpectParagraph(std::string_view text, const char *opening, int key)
{
    EXPECT_EQ(text.substr(0, std::string_view(opening).size()), opening) << "key " << key;
    EXPECT_GE(text.size(), 430u) << "key " << key;
    EXPECT_LE(text.size(), 860u) << "key " << key;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string_view::npos) << "key " << key;
    EXPECT_NE(text.back(), ' ') << "key " << key;
}

TEST(Catalogue, FixedSentences)
{
    const InterpretationTexts t = describeInterpretation(Interpretation{});
    EXPECT_EQ(t.luckyNumberText,
              "\r\nThis number can be used to your benefit to gain more than normal from an ordinary.");
    EXPECT_EQ(t.luckyColorText,
              "\r\nWear your lucky color and have a better day. This is derived from your personal number and "
              "thus will have  appositive effect on your lifestyle.");
}

TEST(Catalogue, MoneyTextsOpenAsListedAndAreDistinct)
{
    std::set<std::string_view> seen;
    for (int key = 1; key <= 22; ++key) {
        const auto text = MoneyText(key);
        ASSERT_TRUE(text.has_value()) << key;
        ExpectParagraph(*text, kMoneyOpenings[key - 1], key);
        seen.insert(*text);
    }
    EXPECT_EQ(seen.size(), 22u);
    EXPECT_NE(MoneyText(13)->size(), MoneyText(3)->size());
    EXPECT_EQ(*MoneyText(22),
              "The number twenty two is a somewhat contrary number in its influence over money. You may experience "
              "fluctuations in your financial position and also your business or profession may get affected. You "
              "have a good sense of the value of money. But never go in for speculations or risk taking. It will "
              "lead you to drastic losses. Sometimes matters related to children and young persons will react very "
              "favorably upon overall financial affairs.");
}

TEST(Catalogue, HealthTextsOpenAsListedAndShareOnlyFifteenAndEighteen)
{
    std::set<std::string_view> seen;
    for (int key = 1; key <= 22; ++key) {
        const auto text = HealthText(key);
        ASSERT_TRUE(text.has_value()) << key;
        ExpectParagraph(*text, kHealthOpenings[key - 1], key);
        seen.insert(*text);
    }
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_EQ(*HealthText(15), *HealthText(12));
    EXPECT_EQ(*HealthText(18), *HealthText(8));
    EXPECT_EQ(*HealthText(19),
              "A well-formed physical body is given by number nineteen. This number is indicative of good health "
              "from a general standpoint. It rules over your spine and the back, the heart and the blood, and from "
              "a structural view point, the dorsal vertebrae of the spine in particular. Some liability to feverish "
              "disorders is shown and complaints can affect the parts of the body mentioned. Undue excitement and "
              "over activity can affect the heart.");
}

TEST(Catalogue, NoTextOutsideOneToTwentyTwo)
{
    for (int key : {-32768, -1, 0, 23, 100, 32767}) {
        EXPECT_FALSE(MoneyText(key).has_value()) << key;
        EXPECT_FALSE(HealthText(key).has_value()) << key;
    }
}

TEST(DescribeInterpretation, EveryPresentTextBeginsWithCrLfAndEndsWithItsParagraph)
{
    for (int n = 1; n <= 22; ++n) {
        Interpretation r;
        r.moneyNumber = r.secondHealthIndication = static_cast<std::int16_t>(n);
        r.firstHealthIndication = r.firstHealthInfluence = static_cast<std::int16_t>(23 - n);
        const InterpretationTexts t = describeInterpretation(r);
        for (const auto &text : {std::optional<std::string_view>(t.luckyNumberText),
                                 std::optional<std::string_view>(t.luckyColorText), t.moneyText,
                                 t.firstHealthIndicationText, t.firstHealthInfluenceText,
                                 t.secondHealthIndicationText}) {
            ASSERT_TRUE(text.has_value());
            EXPECT_EQ(text->substr(0, 2), "\r\n");
            EXPECT_NE(text->back(), '\n');
            EXPECT_NE(text->back(), '\r');
        }
        EXPECT_EQ(t.moneyText->substr(2), *MoneyText(n));
        EXPECT_EQ(t.firstHealthInfluenceText->substr(2), *HealthText(23 - n));
        EXPECT_EQ(t.secondHealthIndicationText->substr(2), *HealthText(n));
    }
}

TEST(DescribeInterpretation, BlankFirstNameHasNoHealthTextsButBothSentences)
{
    PersonDetails p;
    p.firstName = "";
    p.lastName = "SMITH";
    const InterpretationTexts t = describeInterpretation(computeInterpretation(p));
    EXPECT_FALSE(t.firstHealthIndicationText.has_value());
    EXPECT_FALSE(t.firstHealthInfluenceText.has_value());
    EXPECT_EQ(t.luckyNumberText, describeInterpretation(Interpretation{}).luckyNumberText);
    EXPECT_EQ(t.luckyColorText, describeInterpretation(Interpretation{}).luckyColorText);
    EXPECT_TRUE(t.moneyText.has_value());
}

} // namespace
