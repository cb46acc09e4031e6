#include "answercheck.h"

#include "colors.h"
#include "drillcycle.h"
#include "drillsurface.h"

void AnswerCheck::check()
{
    const int boxes = m_cycle.boxesOfDrill();
    for (int i = 1; i <= boxes; ++i) {
        m_surface.Txtsc(i).setForeColor(forms::Colors::Black);
        const QString answer = m_surface.Txtjc(i).Text().toLower();
        const QString item = m_surface.Txtsc(i).Text();
        m_surface.Txtjc(i).setForeColor(answer == item ? forms::Colors::Green : forms::Colors::Red);
    }
}
