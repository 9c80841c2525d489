// The manual and the shells' completions say what the option table says:
// each subcommand offers the same options there, with the same values and
// descriptions. An option added to the table and forgotten in one of them,
// or left there after it is gone, fails here.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/options/help.h"
#include "app/options/option_table.h"

namespace app {
namespace {

using Names = std::set<std::string>;

// tests/app/<this file> -> the repository.
std::string ReadSource(const std::string& path) {
  const auto root = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
  std::ifstream in(root / path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The names of the options `command` offers; without --help, which every
// subcommand has and each shell offers its own way.
Names Offered(Command command) {
  Names names;
  for (const OptionEntry& option : kOptions) {
    if (Offers(command, option.id) && option.id != OptionId::kHelp) names.insert(std::string(option.name));
  }
  return names;
}

// Every "--name" in `text`.
Names OptionsIn(const std::string& text) {
  Names names;
  for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
    std::size_t end = at + 2;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-')) ++end;
    if (end > at + 2) names.insert(text.substr(at, end - at));
  }
  names.erase("--help");
  return names;
}

// The text between the first `open` after `from` and the next `close`.
std::string Between(const std::string& text, const std::string& from, const std::string& open,
                    const std::string& close) {
  const std::size_t anchor = text.find(from);
  if (anchor == std::string::npos) return {};
  const std::size_t start = text.find(open, anchor + from.size());
  if (start == std::string::npos) return {};
  const std::size_t end = text.find(close, start + open.size());
  return text.substr(start + open.size(), end - start - open.size());
}

std::string Capitalised(std::string_view text) {
  std::string result(text);
  if (!result.empty()) result[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(result[0])));
  return result;
}

TEST(OptionDocs, BashOffersEachSubcommandItsOptions) {
  const std::string script = ReadSource("completions/helmholtz.bash");
  std::string expanded = script;
  for (const std::string variable : {"common", "sweep", "model"}) {
    const std::string value = Between(script, "local " + variable + "=", "\"", "\"");
    ASSERT_FALSE(value.empty()) << variable;
    for (std::size_t at; (at = expanded.find("$" + variable)) != std::string::npos;) {
      expanded.replace(at, variable.size() + 1, value);
    }
  }
  for (const Command command : kCommands) {
    SCOPED_TRACE(std::string(NameOf(command)));
    const std::string name(NameOf(command));
    const std::string offered =
        command == Command::kBatch
            ? Between(expanded, "batch)", "compgen -W \"", "\"")
            : Between(
                  expanded,
                  (command == Command::kDiameter || command == Command::kSurface) ? "diameter | surface)" : name + ")",
                  "options=\"", "\"");
    EXPECT_EQ(OptionsIn(offered), Offered(command));
  }
  for (const OptionEntry& option : kOptions) {
    SCOPED_TRACE(std::string(option.name));
    if (option.completion == Completion::kWords) {
      EXPECT_EQ(Between(script, std::string(option.name) + ")", "compgen -W \"", "\""), option.words);
    }
  }
}

TEST(OptionDocs, FishDescribesEachOptionAsTheTable) {
  const std::vector<std::string> lines = Lines(ReadSource("completions/helmholtz.fish"));
  for (const OptionEntry& option : kOptions) {
    if (option.id == OptionId::kHelp) continue;
    SCOPED_TRACE(std::string(option.name));
    const std::string flag = " -l " + std::string(option.name.substr(2)) + " ";
    const auto line = std::find_if(lines.begin(), lines.end(),
                                   [&](const std::string& l) { return l.find(flag) != std::string::npos; });
    ASSERT_NE(line, lines.end());
    EXPECT_NE(line->find("-d '" + Capitalised(option.summary) + "'"), std::string::npos) << *line;
    if (option.completion == Completion::kWords) {
      EXPECT_NE(line->find("-a '" + std::string(option.words) + "'"), std::string::npos) << *line;
    }
    const std::string commands = Between(*line, "-n \"", "__fish_seen_subcommand_from ", "\"");
    for (const Command command : kCommands) {
      const bool listed = commands == "$commands" ||
                          (" " + commands + " ").find(" " + std::string(NameOf(command)) + " ") != std::string::npos;
      EXPECT_EQ(listed, Offers(command, option.id)) << NameOf(command);
    }
  }
}

// The options a zsh argument description defines: "--name=[" or "--name[", not the
// exclusions in front of it ("(--surface --slot)").
Names DefinedOptions(const std::string& text) {
  Names names;
  for (const std::string& name : OptionsIn(text)) {
    for (const char next : {'=', '['}) {
      if (text.find(name + next) != std::string::npos) names.insert(name);
    }
  }
  return names;
}

// A zsh variable's value: "local NAME='...'" or "NAME=(\n...\n)".
std::string ZshVariable(const std::string& script, const std::string& name) {
  if (script.find("local " + name + "='") != std::string::npos)
    return Between(script, "local " + name + "=", "'", "\n");
  return Between(script, "\n" + name + "=(", "", "\n)");
}

TEST(OptionDocs, ZshOffersEachSubcommandItsOptions) {
  const std::string script = ReadSource("completions/_helmholtz");
  for (const OptionEntry& option : kOptions) {
    if (option.id == OptionId::kHelp) continue;
    SCOPED_TRACE(std::string(option.name));
    const std::string description = std::string(option.summary) + (option.quantity ? ", or START:STOP:STEP" : "");
    const std::string spelled = std::string(option.name) + (option.valueName.empty() ? "" : "=");
    EXPECT_NE(script.find(spelled + "[" + description + "]"), std::string::npos);
  }
  const std::string cases = script.substr(script.find("case $words[1] in"));
  for (const Command command : kCommands) {
    SCOPED_TRACE(std::string(NameOf(command)));
    const bool orifice = command == Command::kDiameter || command == Command::kSurface;
    const std::string used =
        Between(cases, "\n  " + (orifice ? std::string("diameter|surface") : std::string(NameOf(command))) + ")",
                "_arguments", ";;");
    ASSERT_FALSE(used.empty());
    Names names;
    std::istringstream words(used);
    for (std::string word; words >> word;) {
      if (word.starts_with("$")) names.merge(DefinedOptions(ZshVariable(script, word.substr(1))));
    }
    EXPECT_EQ(names, Offered(command));
  }
}

TEST(OptionDocs, ManualSynopsisAndOptionsFollowTheTable) {
  const std::string manual = ReadSource("docs/helmholtz.1");
  const std::string synopsis = Between(manual, ".Sh SYNOPSIS", "", ".Sh DESCRIPTION");
  const std::string common = Between(synopsis, "Common options:", "", ".Pp");
  for (const Command command : kCommands) {
    SCOPED_TRACE(std::string(NameOf(command)));
    const std::string block = Between(synopsis,
                                      (command == Command::kDiameter || command == Command::kSurface)
                                          ? ".Cm diameter | surface\n"
                                          : ".Cm " + std::string(NameOf(command)) + "\n",
                                      "", "\n.Nm");
    ASSERT_FALSE(block.empty());
    for (const OptionEntry& option : kOptions) {
      if (!Offers(command, option.id) || option.id == OptionId::kHelp) continue;
      SCOPED_TRACE(std::string(option.name));
      const std::string flag = "Fl " + std::string(option.name.substr(1));
      if (option.group == OptionGroup::kCommon) {
        EXPECT_NE(block.find(".Op Ar common options"), std::string::npos);
        EXPECT_NE(common.find(flag), std::string::npos);
      } else if (option.group == OptionGroup::kModel) {
        // A command without the port model names the one model option it takes.
        EXPECT_TRUE(block.find(".Op Ar model options") != std::string::npos || block.find(flag) != std::string::npos);
        EXPECT_NE(synopsis.find(flag), std::string::npos);
      } else {
        EXPECT_NE(block.find(flag), std::string::npos);
      }
      if (option.quantity) {
        EXPECT_NE(block.find(flag + " Ar " + std::string(option.valueName)), std::string::npos);
      }
    }
  }
  // Every option but the inputs has its entry, with its value as the help names it.
  for (const OptionEntry& option : kOptions) {
    if (option.quantity || option.id == OptionId::kHelp) continue;
    SCOPED_TRACE(std::string(option.name));
    const std::string item = ".It Fl " + std::string(option.name.substr(1));
    const std::size_t at = manual.find(item + (option.valueName.empty() ? "\n" : " "));
    ASSERT_NE(at, std::string::npos);
    const std::string rest = manual.substr(at + item.size(), manual.find('\n', at) - at - item.size());
    if (option.completion == Completion::kWords) {
      std::string words;
      for (const char c : option.words) words += c == ' ' ? std::string(" | ") : std::string(1, c);
      EXPECT_EQ(rest, " Cm " + words);
    } else if (option.id == OptionId::kSlot) {
      EXPECT_EQ(rest, " Ar W Ns Cm x Ns Ar H");
    } else if (option.id == OptionId::kPlot) {
      EXPECT_EQ(rest, " Ar file.svg");
    } else if (!option.valueName.empty()) {
      EXPECT_EQ(rest, " Ar " + std::string(option.valueName));
    }
  }
}

// The absorber's help is written from the table: its many options' synopsis
// wraps, and every line fits a terminal.
TEST(OptionDocs, TheAbsorbersHelpFitsEightyColumns) {
  for (const std::string& line : Lines(SubcommandUsageText(Command::kAbsorber))) EXPECT_LE(line.size(), 80U) << line;
}

}  // namespace
}  // namespace app
