#include "WebPages.h"

#include "Platform.h"

void WebPages::openOnlineHelp() const
{
    m_browser.open(pages::kOnlineHelp);
}

void WebPages::openHomePage() const
{
    m_browser.open(pages::kHomePage);
}

void WebPages::openDownloadPage() const
{
    m_browser.open(pages::kDownloadPage);
}

void WebPages::openCoBrandPage() const
{
    m_browser.open(pages::kCoBrandPage);
}

void WebPages::openFullBrandPage() const
{
    m_browser.open(pages::kFullBrandPage);
}
