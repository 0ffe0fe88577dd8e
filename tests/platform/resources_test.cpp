#include "platform/resource_ids.h"
#include "platform/resources.h"
#include "resources/resource_catalog.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Resources, EveryPictureNumberOfTheProgramIsPresent) {
    ASSERT_EQ(linkedResourcePictureCount(), 23);
    for (int id : kResourcePictureIds) EXPECT_FALSE(resourceImage(id).isNull()) << id;
}

TEST(Resources, PicturesHaveTheSizesTheirUsersDrawThemAt) {
    EXPECT_EQ(resourceImage(IDB_TITLE).size(), QSize(322, 63));
    EXPECT_EQ(resourceImage(IDB_LAMP_READY).size(), QSize(15, 15));
    EXPECT_EQ(resourceImage(IDB_LAMP_BUSY).size(), QSize(15, 15));
    EXPECT_EQ(resourceImage(IDI_COM_SETTING).size(), QSize(40, 40));
    EXPECT_EQ(resourceImage(IDI_CHANGE_HOVER).size(), QSize(32, 32));
    for (int id = IDI_FUNCTION_ENGINE; id <= IDI_FUNCTION_SETTINGS; ++id)
        EXPECT_EQ(resourceImage(id).size(), QSize(80, 80)) << id;
}

TEST(Resources, TitleBackgroundIsAllZeroSoTheBandColourShowsThrough) {
    const QImage title = resourceImage(IDB_TITLE).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(title.pixel(0, 0), 0u);
    EXPECT_EQ(title.pixel(321, 62), 0u);
}

TEST(Resources, AMissingNumberGivesNothing) {
    EXPECT_FALSE(hasResource(139));
    EXPECT_TRUE(resourcePixmap(139).isNull());
    EXPECT_TRUE(resourceIcon(0).isNull());
    EXPECT_EQ(resourceCursor(139, QCursor(Qt::SizeAllCursor)).shape(), Qt::SizeAllCursor);
    EXPECT_EQ(resourceCursor(IDC_CORNER_SIZE).shape(), Qt::BitmapCursor);
}

}  // namespace
}  // namespace corvane
