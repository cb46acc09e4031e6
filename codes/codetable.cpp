// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "codetable.h"

#include "conversions.h"
#include "runtimeerror.h"

using forms::RuntimeError;

namespace
{

// "_" then the entry of k, for k = 1 to 100.
constexpr char16_t CodeSource[] =
    u"_01 tie_02 Noah_03 mow_04 row_05 law_06 joy_07 key_08 fee_09 pie_10 toes"
    u"_11 toad_12 tin_13 dam_14 tire_15 tail_16 dish_17 tack_18 TV_19 tape_20 nose"
    u"_21 net_22 nun_23 enema_24 Nero_25 nail_26 hinge_27 neck_28 knife_29 knob_30 moose"
    u"_31 maid_32 man_33 mime_34 mare_35 mail_36 match_37 mug_38 movie_39 mop_40 rice"
    u"_41 rat_42 rhino_43 ram_44 rare_45 rail_46 roach_47 rake_48 roof_49 ruby_50 Lassie"
    u"_51 lid_52 lion_53 lamb_54 lure_55 lily_56 leash_57 lock_58 leaf_59 leap_60 cheese"
    u"_61 cheetah_62 chain_63 gym_64 shower_65 shell_66 judge_67 sheikh_68 shave_69 jeep"
    u"_70 case"
    u"_71 cat_72 coin_73 comb_74 car_75 coal_76 cage_77 cake_78 coffee_79 cap_80 vase"
    u"_81 fat_82 fan_83 foam_84 fry_85 file_86 fish_87 fig_88 fife_89 VP_90 bus"
    u"_91 boat_92 bone_93 palm_94 beer_95 ball_96 peach_97 pig_98 beehive_99 pipe_100 daisies";

} // namespace

QString CodeTable::source()
{
    return QString::fromUtf16(CodeSource);
}

void CodeTable::build()
{
    m_slots = source().split(u'_', Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString CodeTable::operator()(int k) const
{
    if (k < 0 || k >= m_slots.size())
        throw RuntimeError(RuntimeError::Code::SubscriptOutOfRange, "no such code slot");
    return m_slots[k];
}

QString CodeTable::operator()(const QString &k) const
{
    return (*this)(forms::roundToInt32(forms::textToDouble(k)));
}
