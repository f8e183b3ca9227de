// The command line as the program reads it before Qt starts: what it answers, what it refuses, and
// that a plain start has nothing to print (the program then takes no console on Windows). Runs with
// QT_QPA_PLATFORM set, as every unit test does, so that no display is looked for.
#include "app/CommandLine.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using CommandLine::Outcome;

CommandLine::Result Handle(std::vector<const char *> words)
{
    QCoreApplication::setApplicationName("larkspire");
    words.insert(words.begin(), "larkspire");
    return CommandLine::handle(static_cast<int>(words.size()), words.data());
}

std::string Refusal(const std::string &why)
{
    return "larkspire: " + why + "\nTry 'larkspire --help' for more information.\n";
}

TEST(CommandLine, QtsOwnOptionsInTheFormsQtReadsStartThePlainWay)
{
    const std::vector<std::vector<const char *>> starts = {
        {},
        {"-platform", "offscreen"},
        {"--platform", "offscreen"},
        {"-platform", "windows:darkmode=1,dialogs=none,fontengine=freetype"},
        {"-style", "Fusion", "-style=Fusion", "--stylesheet=a.qss", "-stylesheet", "a.qss"},
        {"-reverse", "--widgetcount", "-testability", "-qdebug"},
        {"-qwindowgeometry", "100x100", "-qwindowtitle", "T", "-qwindowicon", "i.png", "-platformtheme", "gtk3"},
        {"-plugin", "evdevmouse", "-platformpluginpath", "p", "-session", "s", "-qmljsdebugger=port:1"},
        {"-geometry", "100x100", "-title", "T", "-icon", "i.png", "-name", "n", "-visual", "33", "-nograb"},
        {"a-word-that-is-no-option"},
    };
    for (const auto &words : starts) {
        const CommandLine::Result result = Handle(words);
        const std::string line = words.empty() ? "(none)" : words.front();
        EXPECT_EQ(result.outcome, Outcome::Run) << line;
        // Nothing to print: no console is taken.
        EXPECT_EQ(result.output, "") << line;
        EXPECT_EQ(result.error, "") << line;
    }
    EXPECT_EQ(Handle({"-platform", "offscreen", "-display", ":5"}).platform, "offscreen");
    EXPECT_EQ(Handle({"-platform", "offscreen", "-display", ":5"}).display, ":5");
}

TEST(CommandLine, WhatQtDoesNotReadIsRefusedWithStatusTwo)
{
    const struct {
        std::vector<const char *> words;
        std::string error;
    } rows[] = {
        {{"--frobnicate"}, Refusal("unrecognized option '--frobnicate'")},
        // Parameters of the Windows plug-in, not options.
        {{"-dialogs", "none"}, Refusal("unrecognized option '-dialogs'")},
        {{"-fontengine", "freetype"}, Refusal("unrecognized option '-fontengine'")},
        {{"-darkmode", "1"}, Refusal("unrecognized option '-darkmode'")},
        // Read by Qt 5, not by 6.4.
        {{"-sync"}, Refusal("unrecognized option '-sync'")},
        // Qt 6.4 takes these values only as the next word.
        {{"-platform=offscreen"}, Refusal("unrecognized option '-platform=offscreen' (Qt takes '-platform offscreen')")},
        {{"--display=:0"}, Refusal("unrecognized option '--display=:0' (Qt takes '-display :0')")},
        {{"-reverse=yes"}, Refusal("unrecognized option '-reverse=yes'")},
        {{"-style"}, Refusal("option '-style' requires an argument")},
        {{"-platform", "offscreen", "-display"}, Refusal("option '-display' requires an argument")},
    };
    for (const auto &row : rows) {
        const CommandLine::Result result = Handle(row.words);
        EXPECT_EQ(result.outcome, Outcome::Misused) << row.error;
        EXPECT_EQ(CommandLine::exitStatus(result.outcome), 2);
        EXPECT_EQ(result.error, row.error);
        EXPECT_EQ(result.output, "");
    }
}

TEST(CommandLine, HelpNamesWhereThisSystemKeepsTheSetting)
{
    for (const char *help : {"--help", "-h", "-?"}) {
        const CommandLine::Result result = Handle({"-reverse", help, "--frobnicate"});
        EXPECT_EQ(result.outcome, Outcome::Done);
        EXPECT_EQ(result.error, "");
        const std::string path = QDir::toNativeSeparators(SettingsStore::defaultPath()).toStdString();
        EXPECT_NE(result.output.find("last update reminder, in\n" + path + "\n"), std::string::npos) << result.output;
    }
    const CommandLine::Result version = Handle({"--version"});
    EXPECT_EQ(version.outcome, Outcome::Done);
    EXPECT_EQ(version.output.substr(0, version.output.find('\n')), "Larkspire 1.45");
}

} // namespace
