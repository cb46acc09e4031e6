// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "itemgenerator.h"

#include "codetable.h"
#include "drillsurface.h"
#include "hiddentext.h"
#include "spoken.h"

#include <cmath>

namespace
{
constexpr char16_t Alphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
}

void ItemGenerator::sc(qint16 i)
{
    if (m_surface.Op1(0).Value())
        drawNumber(i);
    else
        drawLetters(i);
}

void ItemGenerator::drawNumber(qint16 i)
{
    // A draw below 1 times 100 stays below 100 in double precision: n is 0..99.
    const int n = int(std::floor(double(m_surface.random.next()) * 100.0));
    const QString text = n > 9 ? QString::number(n) : QStringLiteral("0") + QString::number(n);
    m_surface.Txtsc(i).setText(text);
    m_surface.lbldm.setCaption(m_surface.codes(n));
    announce(i);
}

void ItemGenerator::drawLetters(qint16 i)
{
    const int r1 = int(std::floor(double(m_surface.random.next()) * 26.0)) + 1;
    const int r2 = int(std::floor(double(m_surface.random.next()) * 26.0)) + 1;
    const QString pair = QString(QChar(Alphabet[r1 - 1])) + QChar(Alphabet[r2 - 1]);
    m_surface.Txtsc(i).setText(pair.toLower());
    announce(i);
}

void ItemGenerator::announce(qint16 i)
{
    const forms::TextBox &box = m_surface.Txtsc(i);
    if (forms::HiddenText::mayAnnounce(box))
        m_surface.announcer.announce(Spoken::item(box.Text()));
}
