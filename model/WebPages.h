#pragma once
// The publisher's web pages that menus and link labels open, and the two promotional offers.

#include <QString>

namespace webpages {

// The addresses. A distributor changes these and nothing else.
inline const QString kOnlineHelp = QStringLiteral("https://www.example.com/larkspire/help.html");
inline const QString kHomePage = QStringLiteral("https://www.example.com/");
inline const QString kDownloadPage = QStringLiteral("https://www.example.com/larkspire/download.html");
inline const QString kCoBrandPage = QStringLiteral("https://help.example.com/co-brand.html");
inline const QString kFullBrandPage = QStringLiteral("https://help.example.com/fully-branded.html");

// Opens an address, complete as it is written, in the default browser and returns at once;
// whether a browser came up is not examined, so a missing browser leaves the program as it was.
void open(const QString &address);

inline void openOnlineHelp() { open(kOnlineHelp); }
inline void openHomePage() { open(kHomePage); }
inline void openDownloadPage() { open(kDownloadPage); }
inline void openCoBrandPage() { open(kCoBrandPage); }
inline void openFullBrandPage() { open(kFullBrandPage); }

} // namespace webpages

// The two offers shown by the promotional labels of the input window, the results window and the
// report.
inline const QString kCoBrandOffer = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  "
    "link here. See \"Help\" for details.    Click Here for more info on co-branding.");
// The fully-branded offer: what it offers, then the sentence that asks for the click (the About box
// shows the two apart, the second as its link).
inline const QString kFullBrandPitch = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
    "branded for your website.");
inline const QString kMoreDetails = QStringLiteral("Click here for more details.");
inline const QString kFullBrandOffer = kFullBrandPitch + QLatin1Char(' ') + kMoreDetails;
