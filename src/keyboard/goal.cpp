// The goal lamps: one per team, at most one lit.
#include "colors.h"
#include "frmscoreboard.h"
#include "keyboard.h"
#include "settingvariables.h"
#include "shape.h"

void frmScoreBoard::UpdateGoal()
{
    const QColor lit = toQColor(Settings.ScoreColor);
    const QColor dark = toQColor(Settings.FormBack);
    shpGoalH->setFillColor(WhoGoal == 1 ? lit : dark);
    shpGoalV->setFillColor(WhoGoal == 2 ? lit : dark);
}

void frmScoreBoard::GoalKeyDown(int16_t KeyCode)
{
    AllKeyCode(KeyCode);
    if (KeyCode == vk::Left)
        WhoGoal = 1;
    else if (KeyCode == vk::Right)
        WhoGoal = 2;
    else if (KeyCode == vk::Down)
        WhoGoal = 0;
    UpdateGoal();
}
