#include "mp3/ui/lame_options_widget.h"

#include "support/find_child.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

TEST(LameOptionsWidget, SetsShowsTheModeFrameAndCaption)
{
    LameOptionsWidget control;
    control.show();
    QSignalSpy changes(&control, &LameOptionsWidget::changed);

    control.setOptionString(u"--abr 96 -f"_qs);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(child<QRadioButton>(control, "averageBitrateRadio")->isChecked());
    EXPECT_TRUE(child<QGroupBox>(control, "averageBitrateBox")->isVisible());
    EXPECT_FALSE(child<QGroupBox>(control, "constantBitrateBox")->isVisible());
    EXPECT_FALSE(child<QGroupBox>(control, "variableQualityBox")->isVisible());
    EXPECT_EQ(child<QGroupBox>(control, "averageBitrateBox")->title(), u"Средний битрейт: 96 Kbps"_qs);
    EXPECT_EQ(child<QComboBox>(control, "optimisationCombo")->currentText(), u"Скорость"_qs);
    EXPECT_EQ(control.optionString(), u"--abr 96 -f"_qs);

    control.setOptionString(u"-b 40"_qs);
    EXPECT_TRUE(child<QRadioButton>(control, "constantBitrateRadio")->isChecked());
    EXPECT_EQ(child<QSlider>(control, "constantBitrateSlider")->value(), 7);
    EXPECT_EQ(child<QGroupBox>(control, "constantBitrateBox")->title(), u"Битрейт: 64 Kbps"_qs);
    EXPECT_NEAR(*control.megabytesPerHour(), 27.47, 0.005);
}

TEST(LameOptionsWidget, UserChangesRaiseChange)
{
    LameOptionsWidget control;
    control.show();
    QSignalSpy changes(&control, &LameOptionsWidget::changed);

    QTest::mouseClick(child<QRadioButton>(control, "variableQualityRadio"), Qt::LeftButton);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(child<QGroupBox>(control, "variableQualityBox")->isVisible());
    EXPECT_FALSE(control.megabytesPerHour());

    QSlider *quality = child<QSlider>(control, "variableQualitySlider");
    quality->setFocus();
    QTest::keyClick(quality, Qt::Key_PageDown);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(child<QGroupBox>(control, "variableQualityBox")->title(), u"Q= 0 (Отличное качество)"_qs);
    QTest::keyClick(quality, Qt::Key_End);
    EXPECT_EQ(child<QGroupBox>(control, "variableQualityBox")->title(), u"Q= 9 (Плохое качество)"_qs);

    QComboBox *optimisation = child<QComboBox>(control, "optimisationCombo");
    optimisation->setFocus();
    QTest::keyClick(optimisation, Qt::Key_Down);
    EXPECT_EQ(control.optionString(), u"-V 9 -h"_qs);
    EXPECT_EQ(changes.count(), 4);

    control.setEnabled(false);
    EXPECT_FALSE(quality->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(control, "constantBitrateRadio")->isEnabled());
}
