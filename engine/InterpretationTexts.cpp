#include "engine/InterpretationTexts.h"

#include "engine/Numerology.h"

#include <array>

namespace numerology {

namespace {

// Each catalogue text is stored with the CR LF that precedes it in a reading, so that a reading
// can view the constant whole and the bare text is the same constant without its first two bytes.
#define LINE_BREAK "\r\n"

// A text for each number a reduction keeps, 1 first.
using Catalogue = std::array<std::string_view, kLargestKeptNumber>;

constexpr std::string_view kLuckyNumberWithBreak =
    LINE_BREAK "This number can be used to your benefit to gain more than normal from an ordinary.";
constexpr std::string_view kLuckyColorWithBreak =
    LINE_BREAK "Wear your lucky color and have a better day. This is derived from your personal number "
               "and thus will have  appositive effect on your lifestyle.";

constexpr Catalogue kMoneyTexts{
    // 1
    LINE_BREAK "If you are being ruled by money number 1, then it is indicative of the fact that you will "
    "be earning money from a number of sources. Your income is unlikely to rest on a single salary for "
    "long; side ventures, small commissions and ideas of your own will add to it over the years. You "
    "have a natural instinct for spotting where money can be made and the confidence to act on it early. "
    "The danger lies in scattering your energy across too many projects at once, so choose the two or "
    "three that reward you best and give them your full attention. Keep careful records, because money "
    "that arrives from many directions can leave just as quietly.",
    // 2
    LINE_BREAK "Number two indicates that although you are a spendthrift person, you are rarely left "
    "without funds when they are truly needed. You enjoy spending on comfort, on gifts and on the people "
    "close to you, and you find it hard to refuse a friend in need. Partnerships and joint undertakings "
    "favour you more than working alone, and a cautious partner can balance your open hand very well. "
    "Try to set aside a fixed part of every payment before you begin to spend, however small it is. Over "
    "time this simple habit will give you the security that your generous nature would otherwise put at "
    "risk.",
    // 3
    LINE_BREAK "Number three indicates that each and every opportunity that will be coming your way "
    "should be examined with care, because several of them can bring real and lasting gain. You learn "
    "quickly and can turn knowledge, teaching, writing or advice into income. Your ambition is strong, "
    "and people in authority tend to notice your efforts and reward them. Money usually grows steadily "
    "rather than suddenly in your life, through promotion and a good reputation. Avoid pride in "
    "financial dealings and listen to the advice of others before signing agreements, since an "
    "overconfident decision is the main thing that can slow your progress.",
    // 4
    LINE_BREAK "Being a native of number four, you posses the ability to work hard and long for every "
    "coin you earn, and your finances reflect that patient effort. Windfalls and easy money are not your "
    "path; steady, practical work is. You are good with details, contracts and figures, and you often "
    "notice errors that others miss. Unexpected expenses, often connected with property, repairs or "
    "relatives, may appear at awkward times, so a reserve fund is essential for you. Avoid "
    "unconventional schemes that promise quick returns. Land, buildings and long-term savings suit your "
    "temperament and will reward you well in the second half of life.",
    // 5
    LINE_BREAK "Number five is considered to be a lucky number as far as money and finance is concerned. "
    "You have a quick mind, a talent for trade and an easy way with people, all of which help you to "
    "earn. Travel, communication, sales and dealing in goods can bring especially good returns. Money "
    "comes to you readily, but it tends to move on just as readily, because you love change and variety. "
    "Resist the urge to gamble on impulse or to switch investments whenever something new catches your "
    "eye. With a little discipline and a plan that you review regularly, your natural luck can build "
    "into lasting prosperity.",
    // 6
    LINE_BREAK "Number six exerts a helpful influence over your financial matters. Home, family and a "
    "sense of beauty are closely tied to the way you earn and spend. Occupations linked with comfort, "
    "art, decoration, food, the care of others or luxury goods tend to be profitable for you. You are "
    "trusted by others, and that trust often brings opportunities through friends and relatives. Your "
    "weakness is a fondness for fine things, which can push spending beyond income. Balance your wish "
    "for a pleasant life with a sensible budget, and your finances will remain harmonious and secure "
    "throughout your life.",
    // 7
    LINE_BREAK "If seen from a general perspective, number seven indicates that financial matters for "
    "you will reasonably be progressive. Your gains come more from ideas, study and insight than from "
    "hard bargaining. Money may reach you through unusual channels, such as research, foreign contacts, "
    "journeys over water or work that others do not understand. You are not greatly driven by wealth for "
    "its own sake, and this can make you careless about practical matters like bills and paperwork. "
    "Appoint a trusted person to help with the accounts if they bore you. Be cautious with partnerships "
    "based only on promises, and keep written agreements in every transaction.",
    // 8
    LINE_BREAK "Number eight shows that financial matters are of prime importance in your life. You are "
    "capable of building considerable wealth through organisation, persistence and the willingness to "
    "carry heavy responsibility. Business, management, banking and large enterprises suit you. Progress "
    "may be slow at first, with delays and setbacks that test your patience, but your determination "
    "usually wins in the end. Guard against becoming so absorbed in money that health and family are "
    "neglected. Avoid lending large sums to friends, because repayment is often delayed. Your best years "
    "financially tend to come in mature life, once your efforts have taken root.",
    // 9
    LINE_BREAK "Number nine indicates that most of your hopes, needs and personal desires are associated "
    "with money and financial matters. You are energetic and courageous, and you are willing to fight "
    "for what you believe you deserve. This drive can lead to success in competitive fields, in "
    "engineering, in the services or in any work that needs decisive action. However, impatience and a "
    "quick temper may cause you to make hasty decisions that cost you dearly. Think twice before "
    "entering disputes over money, especially legal ones. Generosity is part of your nature, and money "
    "given wisely to good causes tends to return to you in unexpected ways.",
    // 10
    LINE_BREAK "Number ten signifies sudden and abrupt gains and losses. Your financial life is rarely "
    "quiet: a period of plenty may be followed by a lean time without much warning. Fortune can turn in "
    "your favour through luck, an inheritance, an unexpected offer or a clever idea that pays off "
    "quickly. Because reverses are just as likely, you should never rely on the good times lasting. Put "
    "a part of every windfall beyond easy reach, and avoid borrowing against income you only hope to "
    "receive. Your adaptability is your greatest asset; it allows you to recover from setbacks faster "
    "than most people.",
    // 11
    LINE_BREAK "Eleven is all over a peculiar number and this very number also exerts a rather peculiar "
    "influence. Money may come to you through trust and dealings with other people, yet it can also be "
    "lost through the deceit of those you trusted. Be alert to hidden dangers in agreements, and read "
    "every document to the end before you sign it. Intuition is unusually strong with this number, and "
    "your first impression of a person or an offer is often right. Idealistic work, spiritual pursuits "
    "or causes that serve the public can bring a modest but steady income. Keep your finances simple and "
    "open, and do not allow others to control them for you.",
    // 12
    LINE_BREAK "Some fluctuations in income as well as expenses are indicated by number twelve. You are "
    "often called upon to make sacrifices for others, and money may drain away in helping family members "
    "or friends who do not repay you. Your kindness is admirable but should have limits. Work that "
    "involves education, healing, welfare or service may suit you better than pure commerce, even if it "
    "pays less. Keep a careful budget and plan ahead for quiet periods, because income may arrive "
    "unevenly. Over time, patience and prudence will bring you a comfortable position, though rarely "
    "through speculation or risky deals.",
    // 13
    LINE_BREAK "Number thirteen indicates that each and every opportunity arising from change and renewal "
    "can be turned to your advantage, provided you are willing to let go of old ways. This number is "
    "linked with upheaval: a job may end, a business may be reorganised or a source of income may close, "
    "yet each ending clears the way for something better. You have the power and resilience to rebuild "
    "your finances from the ground up more than once in life. Avoid clinging to a failing venture out of "
    "pride. New fields, new methods and fresh beginnings favour you, and your boldness in embracing them "
    "will often be rewarded with a growth that surprises those around you.",
    // 14
    LINE_BREAK "Here benefits can be derived through activities and interests to do with artistic life, "
    "travel, movement and dealings with the public. Number fourteen favours trade and commerce of every "
    "kind, and you can earn well wherever quick thinking and good communication are needed. There is, "
    "however, a risk connected with natural forces, accidents and the unreliability of other people, so "
    "insurance and caution are wise. Do not depend on verbal promises. Speculation may succeed for a "
    "time but can lead to loss, especially when others urge you to act quickly. Keep your affairs "
    "varied and your savings safe.",
    // 15
    LINE_BREAK "The number fifteen denotes that you will derive money and assist normal income as a "
    "result of proper and practical planning. You have a persuasive manner and a good head for business, "
    "and people are often willing to help you to reach your goals. Gifts, favours and support from "
    "influential people may add to your income. Artistic skills, music or entertainment could become an "
    "extra source of earnings. Keep your ambitions honest and your methods fair, because this number "
    "warns that money gained by cunning rarely stays. If you plan your budget well and follow the plan, "
    "you will enjoy comfort and a pleasant degree of financial freedom.",
    // 16
    LINE_BREAK "Number sixteen gives you the capacity to work hard in order to attain success and obtain "
    "money. Yet it also warns of sudden reversals, particularly when success leads to overconfidence. "
    "Plans that seem certain may collapse because of circumstances beyond your control, so always keep "
    "an alternative ready. Building slowly on solid ground is far safer than rising quickly on borrowed "
    "money. Avoid high-risk investments and be careful of partners who flatter you. When a setback "
    "comes, your capacity for hard work will help you to recover, and the lessons learned will make your "
    "later fortune more secure.",
    // 17
    LINE_BREAK "Being a native of number seventeen you are liable to rise above difficulties in your "
    "financial life and to reach a position of respect and security. This is a number of hope and "
    "renewal, and it promises that your efforts will eventually be rewarded, even after a disappointing "
    "start. Money may come through creative work, through your reputation or through the goodwill of "
    "people who admire your character. Peace of mind and a good name matter more to you than great "
    "riches, and this attitude tends to attract a steady income. Keep your expenses modest in the early "
    "years and your later years will be comfortable.",
    // 18
    LINE_BREAK "Number eighteen will stimulate your imaginative power in relation to monetary gains and "
    "finances. You may dream of large plans and see possibilities that others overlook. However, this "
    "number also warns of deception, quarrels and dealings with people who are not what they seem. Guard "
    "against fraud, false friends and offers that are too good to be true. Conflicts within the family "
    "about money or an inheritance are possible, so keep every arrangement clear and in writing. Your "
    "imagination can be a real source of income in the arts, in the media or in planning, if you combine "
    "it with a sober checking of the facts.",
    // 19
    LINE_BREAK "Number nineteen is an ambitious number. It is one of the most favourable numbers for "
    "money, promising success, recognition and the rewards of honest effort. Your confidence and optimism "
    "attract support, and plans that you begin with energy often come to a happy conclusion. Positions "
    "of leadership and an independent business suit you well. Be generous with those who help you and "
    "avoid arrogance, because your good fortune depends partly on the goodwill of others. Keep your "
    "accounts in order and save something from each success, so that the prosperity of this number can "
    "last throughout your life.",
    // 20
    LINE_BREAK "Twenty is a helpful number so far as the monetary gains are concerned. It suggests an "
    "awakening: new aims and fresh purposes that can change the direction of your working life. You may "
    "find your real calling later than others, and once you find it, your income will improve steadily. "
    "Delays are possible while plans mature, but they rarely end in failure. Work that serves the "
    "community, plans for the future or brings people together favours you. Avoid postponing decisions "
    "for too long, and do not let worry prevent you from acting when a good opportunity appears at the "
    "right moment.",
    // 21
    LINE_BREAK "Number twenty-one is one of the fortunate numbers for financial matters. It promises "
    "advancement, honour and the completion of long-term goals. You are likely to gain from positions of "
    "trust, from successful enterprises and from the recognition of your talents by people of influence. "
    "Your rise may take time, but once established it is usually secure. Travel and connections abroad "
    "can open further sources of income. Keep your promises and your credit good, because your "
    "reputation is your most valuable asset. Share your prosperity wisely and you will find that this "
    "number brings lasting comfort and contentment.",
    // 22
    LINE_BREAK "The number twenty two is a somewhat contrary number in its influence over money. You may "
    "experience fluctuations in your financial position and also your business or profession may get "
    "affected. You have a good sense of the value of money. But never go in for speculations or risk "
    "taking. It will lead you to drastic losses. Sometimes matters related to children and young persons "
    "will react very favorably upon overall financial affairs.",
};

constexpr std::string_view kHealth8 =
    LINE_BREAK "Not a very strong type of physical body is given by number eight. Health may be delicate "
    "in childhood and need careful attention, and later on the liver, the intestines and the blood are "
    "the parts most likely to give trouble. Rheumatism, stiffness of the joints and headaches may appear "
    "when you are overworked or downcast. You tend to carry burdens silently, and that inner strain "
    "affects your body. Take your meals at regular hours, choose light and simple food, and keep warm in "
    "cold and damp weather. Cheerful company and a lighter view of life will do much to strengthen your "
    "constitution.";

constexpr std::string_view kHealth12 =
    LINE_BREAK "This is not a favorable number as far as health is concerned. It suggests periods of "
    "weakness brought on by worry, sacrifice and the tendency to put the needs of others before your own. "
    "The lower limbs, the feet and the circulation may give trouble, and colds may settle on the chest. "
    "You may also feel tired without an obvious reason. Do not neglect minor ailments, and allow yourself "
    "enough rest and recreation. A warm, dry home, nourishing food and moderate exercise are important. "
    "With care and a cheerful attitude, you can keep these tendencies in check and enjoy a long life.";

constexpr Catalogue kHealthTexts{
    // 1
    LINE_BREAK "As long as you do not become a victim to mental strain, unnecessary worries and undue "
    "pressures, number one indicates that general health conditions will be quite good, with plenty of "
    "energy and a good power of recovery. The heart and the circulation are the areas that deserve most "
    "attention, especially when you drive yourself too hard. Eyesight may need care in later life. "
    "Regular rest, moderate exercise in the open air and a diet rich in fresh fruit and vegetables will "
    "keep you strong. Learn to delegate and to switch off from work in the evenings, because stress "
    "rather than any physical weakness is the real threat to your wellbeing.",
    // 2
    LINE_BREAK "This number indicates that you will have a neat and fair compact form of physical body. "
    "Your constitution is sensitive rather than robust, and your health closely follows your moods. "
    "Digestive upsets, stomach troubles and problems with fluid balance may appear when you are anxious "
    "or unhappy. Calm surroundings, regular meals and enough sleep are more important for you than for "
    "most people. Avoid heavy, rich food and too many stimulants such as strong coffee. Gentle exercise "
    "like walking or swimming suits you best, and a peaceful home life will do more for your health than "
    "any medicine.",
    // 3
    LINE_BREAK "Ruled by number three, some emotional issues and disturbances can result in a temporary "
    "loss of strength and vitality. Overwork and an active mind that will not rest may lead to nervous "
    "tension, skin irritation and problems with the joints or the lower limbs. You recover well when you "
    "take a proper break, so holidays should never be put off for long. Take care not to overload your "
    "system with rich foods and sweets, since the liver and the blood are sensitive areas. Outdoor "
    "activities, light sports and cheerful company keep you balanced, and a regular sleeping pattern is "
    "the key to keeping your vitality high.",
    // 4
    LINE_BREAK "If your health number is four, then you can assume that you will be having a good and a "
    "fine deal of physical health. Your body is sturdy and able to endure a great deal of work. "
    "Nevertheless, this number is linked with mysterious or hard-to-diagnose complaints, headaches, back "
    "pain and troubles of the bladder and kidneys. You may be inclined to ignore symptoms until they "
    "become serious, so regular check-ups are wise. Avoid a sedentary life, because stiffness and weight "
    "gain follow quickly. A simple diet, plenty of water and time spent in natural surroundings will "
    "help you to keep the strength you were born with.",
    // 5
    LINE_BREAK "If you are a native with number five as your health number, then you can be assured of a "
    "good and healthy condition. Your greatest risk lies in the nervous system, since you tend to live at "
    "a fast pace and to burn energy faster than you replace it. Insomnia, restlessness and tension in the "
    "neck and arms may follow periods of excitement. Too much travel, irregular hours and stimulants can "
    "wear you down. Plenty of sleep, calm surroundings and short rests during the day restore you "
    "quickly. Breathing exercises and quiet hobbies are especially good for you, and a balanced diet will "
    "keep your strong constitution in good order.",
    // 6
    LINE_BREAK "When emotional upsets occur or there is a disturbance of associations with loved ones, "
    "your health is the first thing to suffer. The throat, the nose and the upper chest are sensitive "
    "areas with this number, and colds or infections may follow worry and unhappiness. Sweet foods and "
    "rich dishes tempt you, so keep an eye on your weight and blood sugar. Fresh air, gentle exercise and "
    "harmonious surroundings keep you well. Music, gardening and creative hobbies are real medicine for "
    "you. Whenever you feel low, look first at your relationships, because restoring peace at home "
    "usually restores your physical strength too.",
    // 7
    LINE_BREAK "A strong and wiry type of physical body is the influence of number seven. You are rarely "
    "seriously ill, but you are sensitive to your surroundings and may feel worn out by noise, crowds and "
    "conflict. The skin, the nerves and the digestion can react to strain, and you may be prone to unusual "
    "complaints that puzzle doctors. Periods of quiet and solitude, especially near water, restore you "
    "wonderfully. Avoid drugs and alcohol, to which you may react more strongly than others. Regular "
    "meals, clean water and a calm rhythm of life will help your wiry strength to last well into old age.",
    // 8
    kHealth8,
    // 9
    LINE_BREAK "A fairly strong type of body is ensured by number nine. You have energy and courage, but "
    "you tend to push yourself too hard and to take risks, so accidents, cuts, burns and fevers are more "
    "likely than a lasting illness. Inflammation and high blood pressure may follow periods of anger or "
    "hurry. Learn to slow down, especially when driving or handling tools. Avoid overheated rooms and too "
    "much spicy food or alcohol. Cooling foods, plenty of water and regular physical exercise that lets "
    "off steam in a safe way will help you to keep your strength and use it well.",
    // 10
    LINE_BREAK "Under the influence of this number, the native's nervous systems will have much influence "
    "over his/her general health conditions. Changes of fortune, excitement and worry are felt "
    "physically, often as headaches, poor sleep or a loss of appetite. Your constitution is basically "
    "sound, and you bounce back quickly once the cause of stress is removed. Keep your daily routine as "
    "regular as possible, even when life around you is changing fast. Fresh vegetables and wholegrain "
    "food support the nerves. Relaxation, meditation or simple walks at the end of the day will protect "
    "you from the exhaustion that overexcitement can bring.",
    // 11
    LINE_BREAK "Number eleven is a peculiar number and thus has a peculiar effect over your health. You may "
    "pass through long periods of excellent health and then suddenly suffer from complaints that are hard "
    "to explain. The nervous system and the circulation are the areas to watch, and your intuition about "
    "your own body is usually reliable. Do not ignore warning signs, and seek advice early. Stimulants, "
    "irregular hours and emotional tension affect you more than other people. Quiet surroundings, "
    "spiritual interests and a simple, natural diet bring balance. Make sure you rest after every period "
    "of intense effort.",
    // 12
    kHealth12,
    // 13
    LINE_BREAK "The number thirteen gives you a strong type of physical body, good vital powers and plenty "
    "of what may be termed as 'life force'. You recover from illness and injury more quickly than most "
    "people. The danger is that you take your strength for granted and overtax it, so that sudden "
    "breakdowns follow long stretches of overwork. The reproductive organs, the bladder and the throat "
    "are the sensitive areas with this number. Keep a balance between effort and rest, and avoid excesses "
    "of every kind. A change of scene and periods of renewal suit you, and each fresh start in life tends "
    "to bring improved health and energy.",
    // 14
    LINE_BREAK "General good health can be maintained if you avoid going to extremes in any directions. "
    "Moderation is the key word for this number: too much work, too much food, too much excitement or "
    "too much rest all upset your balance. The lungs and the nervous system may be affected by "
    "overexertion, and you should take care in bad weather and when travelling. Accidents connected with "
    "vehicles or natural forces are possible, so caution is wise. A calm, regular way of life, with fresh "
    "air and light exercise, will keep you well, and an even temper will protect both your nerves and "
    "your digestion.",
    // 15
    kHealth12,
    // 16
    LINE_BREAK "Strong and muscular type physical body are the keywords describing the health conditions of "
    "those ruled by number sixteen. You are capable of great physical effort, yet this number also warns "
    "of sudden falls, accidents and injuries, especially when you are hurried or careless. Trouble with "
    "the heart and the blood pressure may follow years of strain. Listen to the early signs your body "
    "gives and do not try to prove your strength by ignoring them. Exercise regularly but sensibly, warm "
    "up before any effort, and take care on stairs, ladders and roads. A simple life and plenty of sleep "
    "preserve your vigour.",
    // 17
    LINE_BREAK "The number gives you a fairly strong type of physical body but, it shows that over "
    "activity, be it mental or physical, can affect the heart and cause indisposition. You have hope and "
    "resilience, and your recovery from illness is usually good. The kidneys and the circulation in the "
    "legs may need attention, and you should drink enough water every day. Plan your work so that periods "
    "of effort are followed by real rest. Creative activities, music and time spent under the open sky "
    "lift your spirits and improve your health. Avoid worry about the future, because a peaceful mind is "
    "your best protection against the heart complaints this number warns of.",
    // 18
    kHealth8,
    // 19
    LINE_BREAK "A well-formed physical body is given by number nineteen. This number is indicative of good "
    "health from a general standpoint. It rules over your spine and the back, the heart and the blood, "
    "and from a structural view point, the dorsal vertebrae of the spine in particular. Some liability to "
    "feverish disorders is shown and complaints can affect the parts of the body mentioned. Undue "
    "excitement and over activity can affect the heart.",
    // 20
    LINE_BREAK "Stomach and the abdominal regions are ruled over by this number. Indigestion, ulcers and "
    "troubles with the bowels may arise if meals are hurried, irregular or eaten under stress. Your "
    "general constitution is sound, and many of your complaints can be avoided by simple habits: eating "
    "slowly, choosing plain food, and not working straight after a heavy meal. Worry and unresolved "
    "problems tend to settle in the stomach, so talk about what troubles you rather than keeping it "
    "inside. Gentle exercise after meals, enough sleep and regular check-ups will keep you in good "
    "condition for many years.",
    // 21
    LINE_BREAK "Number twenty-one is a number which is extremely strong and vital. It promises good health, "
    "long life and a robust ability to overcome illness. Your energy is usually high, and you enjoy "
    "activity and company. The throat, the lungs and the skin are the areas where minor troubles may "
    "appear, especially after long journeys or changes of climate. Do not squander your strength on "
    "excesses of food, drink or late nights, because even a strong body needs care. Regular exercise, a "
    "balanced diet and a contented mind will let you enjoy the fine health that this fortunate number "
    "offers.",
    // 22
    LINE_BREAK "The number twenty two shows that health conditions will not be strong during the early "
    "years of life but will strengthen as age increases. Childhood may bring frequent colds, allergies or "
    "a delicate digestion, and careful attention from parents is important. As the years pass, your body "
    "gains resistance and you may end up healthier than those who began life stronger. Nervous strain, "
    "poor sleep and a tendency to neglect yourself in a crisis are the main risks in adult life. Avoid "
    "harmful habits such as smoking, keep a steady routine and take time for rest. Your later years "
    "promise good health and vitality.",
};

#undef LINE_BREAK

std::optional<std::string_view> withBreak(const Catalogue &catalogue, std::int16_t key)
{
    if (key < 1 || key > kLargestKeptNumber)
        return std::nullopt;
    return catalogue[static_cast<std::size_t>(key - 1)];
}

} // namespace

InterpretationTexts describeInterpretation(const Interpretation &reading)
{
    InterpretationTexts texts;
    texts.luckyNumberText = kLuckyNumberWithBreak;
    texts.luckyColorText = kLuckyColorWithBreak;
    texts.moneyText = withBreak(kMoneyTexts, reading.moneyNumber);
    texts.firstHealthIndicationText = withBreak(kHealthTexts, reading.firstHealthIndication);
    texts.firstHealthInfluenceText = withBreak(kHealthTexts, reading.firstHealthInfluence);
    texts.secondHealthIndicationText = withBreak(kHealthTexts, reading.secondHealthIndication);
    return texts;
}

} // namespace numerology
