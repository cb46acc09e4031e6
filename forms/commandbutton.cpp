#include "commandbutton.h"

namespace forms
{

CommandButton::CommandButton(QWidget *parent) : Control<QPushButton>(parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Click.raise(); });
}

} // namespace forms
