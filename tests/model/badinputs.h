// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The inputs the model test types, pastes and picks, by kind. docs/bad-input.md lists the same
// kinds with what the window does with each.
#include <QString>
#include <vector>

namespace badinputs
{

struct Input {
    const char *kind;
    QString text;
};

// Texts for the three settings combo boxes that no list offers: every kind of bad input.
inline const std::vector<Input> &settingTexts()
{
    static const std::vector<Input> inputs = {
        {"empty", QString()},
        {"blanks only", QStringLiteral(" ")},
        {"blanks only", QStringLiteral("\t \t")},
        {"letters", QStringLiteral("abc")},
        {"letters", QStringLiteral("Ten")},
        {"number then letters", QStringLiteral("1a")},
        {"number then letters", QStringLiteral("5s")},
        {"comma as decimal point", QStringLiteral("1,5")},
        {"thousands separator", QStringLiteral("1,000")},
        {"hexadecimal", QStringLiteral("0x10")},
        {"hexadecimal", QStringLiteral("&H10")},
        {"infinity and not-a-number words", QStringLiteral("inf")},
        {"infinity and not-a-number words", QStringLiteral("Infinity")},
        {"infinity and not-a-number words", QStringLiteral("nan")},
        {"fraction", QStringLiteral("1.5")},
        {"fraction", QStringLiteral("0.25")},
        {"fraction", QStringLiteral("10.5")},
        {"fraction", QStringLiteral("6.7")},
        {"trailing point", QStringLiteral("2.")},
        {"trailing point", QStringLiteral("10.")},
        {"leading point", QStringLiteral(".5")},
        {"leading point", QStringLiteral(".75")},
        {"point or sign alone", QStringLiteral(".")},
        {"point or sign alone", QStringLiteral("-")},
        {"point or sign alone", QStringLiteral("+")},
        {"point or sign alone", QStringLiteral("-.")},
        {"negative", QStringLiteral("-2")},
        {"negative", QStringLiteral("-10")},
        {"negative", QStringLiteral("-0")},
        {"negative", QStringLiteral("-0.0004")},
        {"plus sign", QStringLiteral("+3")},
        {"exponent", QStringLiteral("1e1")},
        {"exponent", QStringLiteral("1E-1")},
        {"exponent", QStringLiteral("2.5e+1")},
        {"broken exponent", QStringLiteral("1e")},
        {"broken exponent", QStringLiteral("e1")},
        {"broken exponent", QStringLiteral("1e+")},
        {"broken exponent", QStringLiteral("1e1.5")},
        {"huge number", QStringLiteral("99999999999")},
        {"huge number", QStringLiteral("2147483.648")},
        {"huge number", QStringLiteral("1e308")},
        {"huge number", QStringLiteral("1e309")},
        {"huge number", QString(400, QLatin1Char('9'))},
        {"exponent beyond any integer", QStringLiteral("11.1e") + QString(41, QLatin1Char('9'))},
        {"exponent beyond any integer", QStringLiteral("2e-") + QString(41, QLatin1Char('9'))},
        {"tiny number", QStringLiteral("0.0005")},
        {"tiny number", QStringLiteral("0.0015")},
        {"tiny number", QStringLiteral("0.0025")},
        {"tiny number", QStringLiteral("1e-300")},
        {"too small for a double", QStringLiteral("1e-400")},
        {"too small for a double",
         QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1")},
        {"interval edges", QStringLiteral("65.535")},
        {"interval edges", QStringLiteral("65.536")},
        {"interval edges", QStringLiteral("65.5345")},
        {"interval edges", QStringLiteral("65.5355")},
        {"surrounding blanks", QStringLiteral(" 7 ")},
        {"surrounding blanks", QStringLiteral("\t8\t")},
        {"blank inside", QStringLiteral("1 0")},
        {"blank inside", QStringLiteral("1. 5")},
        {"no-break space", QStringLiteral("\u00a05")},
        {"double sign", QStringLiteral("--1")},
        {"double sign", QStringLiteral("+-1")},
        {"several points", QStringLiteral("1.2.3")},
        {"full-width digits", QStringLiteral("１２")},
        {"other digits", QStringLiteral("١٢")},
        {"CJK text", QStringLiteral("五")},
        {"CJK text", QStringLiteral("十秒")},
        {"emoji", QStringLiteral("😀")},
        {"emoji", QStringLiteral("1😀")},
        {"control characters", QStringLiteral("\n")},
        {"control characters", QStringLiteral("1\n")},
        {"control characters", QStringLiteral("\x01")},
        {"control characters", QStringLiteral("\x7f")},
        {"control characters", QStringLiteral("\r\n5")},
        {"format characters", QStringLiteral("\u200b1")},
        {"format characters", QStringLiteral("1\u200d")},
        {"leading zeros", QStringLiteral("0007")},
        {"leading zeros", QString(300, QLatin1Char('0')) + QStringLiteral("8")},
        {"very long text", QString(2000, QLatin1Char('x'))},
        {"very long text", QStringLiteral("12😀五\n").repeated(500)},
    };
    return inputs;
}

// Values a drill runs with: pace (k 0), count (k 1), study time (k 2).
inline const std::vector<Input> &goodSettings(int k)
{
    static const std::vector<Input> pace = {
        {"list item", QStringLiteral("0.5")}, {"list item", QStringLiteral("1")},
        {"list item", QStringLiteral("2")},   {"list item", QStringLiteral("1.5")},
        {"list item", QStringLiteral("10")},  {"zero", QStringLiteral("0")},
        {"fraction", QStringLiteral("0.25")}, {"not in the list", QStringLiteral("30")},
    };
    static const std::vector<Input> count = {
        {"list item", QStringLiteral("6")},      {"list item", QStringLiteral("7")},
        {"list item", QStringLiteral("8")},      {"list item", QStringLiteral("10")},
        {"list item", QStringLiteral("12")},     {"list item", QStringLiteral("15")},
        {"list item", QStringLiteral("200")},    {"list item", QStringLiteral("199")},
        {"below the list", QStringLiteral("1")}, {"below the list", QStringLiteral("2")},
        {"below the list", QStringLiteral("3")}, {"zero", QStringLiteral("0")},
        {"above 200", QStringLiteral("201")},    {"above 200", QStringLiteral("1000")},
        {"fraction", QStringLiteral("10.5")},    {"whole fraction", QStringLiteral("12.0")},
        {"exponent", QStringLiteral("1e1")},     {"surrounding blanks", QStringLiteral(" 8")},
    };
    static const std::vector<Input> study = {
        {"list item", QStringLiteral("1")},  {"list item", QStringLiteral("2")},
        {"list item", QStringLiteral("8")},  {"zero", QStringLiteral("0")},
        {"fraction", QStringLiteral("0.5")}, {"not in the list", QStringLiteral("9")},
    };
    return k == 0 ? pace : k == 1 ? count : study;
}

// Characters typed into answer boxes, one key each.
inline const std::vector<Input> &answerCharacters()
{
    static const std::vector<Input> inputs = [] {
        std::vector<Input> v;
        for (char c = '0'; c <= '9'; ++c)
            v.push_back({"digit", QString(QLatin1Char(c))});
        for (char c = 'a'; c <= 'z'; c += 3)
            v.push_back({"lower-case letter", QString(QLatin1Char(c))});
        for (char c = 'A'; c <= 'Z'; c += 5)
            v.push_back({"capital letter", QString(QLatin1Char(c))});
        for (const char *s : {" ", ".", "-", "+"})
            v.push_back({"space or punctuation", QLatin1StringView(s).toString()});
        v.push_back({"CJK character", QStringLiteral("五")});
        v.push_back({"full-width letter", QStringLiteral("Ａ")});
        v.push_back({"accented letters", QStringLiteral("é")});
        v.push_back({"accented letters", QStringLiteral("ß")});
        v.push_back({"letters whose lower case is ASCII", QStringLiteral("\u212a")}); // Kelvin
        v.push_back({"letters whose lower case is ASCII", QStringLiteral("\u0130")});
        v.push_back({"emoji", QStringLiteral("😀")});
        v.push_back({"emoji", QStringLiteral("🎉")});
        v.push_back({"control characters", QStringLiteral("\x01")});
        v.push_back({"control characters", QStringLiteral("\x7f")});
        v.push_back({"control characters", QStringLiteral("\t")});
        v.push_back({"format characters", QStringLiteral("\u200b")});
        return v;
    }();
    return inputs;
}

// Texts pasted into answer boxes.
inline const std::vector<Input> &answerPastes()
{
    static const std::vector<Input> inputs = {
        {"empty", QString()},
        {"two characters", QStringLiteral("ab")},
        {"two characters", QStringLiteral("12")},
        {"two characters", QStringLiteral("AB")},
        {"one character", QStringLiteral("7")},
        {"too long", QStringLiteral("abc")},
        {"too long", QStringLiteral("12345678")},
        {"emoji", QStringLiteral("😀")},
        {"emoji", QStringLiteral("a😀")},
        {"CJK text", QStringLiteral("五六")},
        {"surrounding blanks", QStringLiteral(" 1")},
        {"control characters", QStringLiteral("\n")},
        {"control characters", QStringLiteral("x\ty")},
    };
    return inputs;
}

} // namespace badinputs
