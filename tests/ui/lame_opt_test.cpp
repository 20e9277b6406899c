#include "mp3/ui/lame_opt.h"

#include "support/find_child.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

TEST(LameOpt, SetsShowsTheModeFrameAndCaption)
{
    LameOpt control;
    control.show();
    QSignalSpy changes(&control, &LameOpt::Change);

    control.Sets(u"--abr 96 -f"_qs);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(child<QRadioButton>(control, "Option3")->isChecked());
    EXPECT_TRUE(child<QGroupBox>(control, "Frame3")->isVisible());
    EXPECT_FALSE(child<QGroupBox>(control, "Frame1")->isVisible());
    EXPECT_FALSE(child<QGroupBox>(control, "Frame2")->isVisible());
    EXPECT_EQ(child<QGroupBox>(control, "Frame3")->title(), u"Средний битрейт: 96 Kbps"_qs);
    EXPECT_EQ(child<QComboBox>(control, "Combo1")->currentText(), u"Скорость"_qs);
    EXPECT_EQ(control.Lamestring(), u"--abr 96 -f"_qs);

    control.Sets(u"-b 40"_qs);
    EXPECT_TRUE(child<QRadioButton>(control, "Option1")->isChecked());
    EXPECT_EQ(child<QSlider>(control, "Slider1")->value(), 7);
    EXPECT_EQ(child<QGroupBox>(control, "Frame1")->title(), u"Битрейт: 64 Kbps"_qs);
    EXPECT_NEAR(*control.MbPH(), 27.47, 0.005);
}

TEST(LameOpt, UserChangesRaiseChange)
{
    LameOpt control;
    control.show();
    QSignalSpy changes(&control, &LameOpt::Change);

    QTest::mouseClick(child<QRadioButton>(control, "Option2"), Qt::LeftButton);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(child<QGroupBox>(control, "Frame2")->isVisible());
    EXPECT_FALSE(control.MbPH());

    QSlider *quality = child<QSlider>(control, "Slider2");
    quality->setFocus();
    QTest::keyClick(quality, Qt::Key_PageDown);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(child<QGroupBox>(control, "Frame2")->title(), u"Q= 0 (Отличное качество)"_qs);
    QTest::keyClick(quality, Qt::Key_End);
    EXPECT_EQ(child<QGroupBox>(control, "Frame2")->title(), u"Q= 9 (Плохое качество)"_qs);

    QComboBox *optimisation = child<QComboBox>(control, "Combo1");
    optimisation->setFocus();
    QTest::keyClick(optimisation, Qt::Key_Down);
    EXPECT_EQ(control.Lamestring(), u"-V 9 -h"_qs);
    EXPECT_EQ(changes.count(), 4);

    control.setEnabled(false);
    EXPECT_FALSE(quality->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(control, "Option1")->isEnabled());
}
