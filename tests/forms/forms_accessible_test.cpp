// The function menu as a screen reader reads it: a tree whose entries carry their level, whose
// branches open and close with a press, and whose leaves start the function as a click does.
#include "forms/corv_menu.h"
#include "forms/forms_accessible.h"

#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QAccessible>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QAccessibleInterface* reader(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

void press(QAccessibleInterface* entry) {
    entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

TEST(MenuTree, EntriesReadAsATreeAndPressLikeAClick) {
    installFormsAccessibility();
    test::MessageRecorder parent;
    auto* menu = new CCorvMenu(&parent);
    parent.resize(300, 400);
    menu->setGeometry(0, 0, 300, 400);
    parent.show();
    const int vehicle = menu->insertBranch("Vehicle", 0);
    const int engine = menu->insertBranch("Engine", vehicle);
    const int live = menu->insertLeaf("Live data", 0x2A, engine, 0, 32, 32);
    menu->insertLeaf("Workshop", 0x30, 0, 0, 32, 32);

    QAccessibleInterface* tree = reader(menu);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    ASSERT_EQ(tree->childCount(), 2);  // the top level only: Vehicle is closed
    QAccessibleInterface* vehicleItem = tree->child(0);
    EXPECT_EQ(vehicleItem->role(), QAccessible::TreeItem);
    EXPECT_EQ(vehicleItem->text(QAccessible::Name), QStringLiteral("Vehicle"));
    EXPECT_EQ(vehicleItem->text(QAccessible::Description), QStringLiteral("level 1"));
    EXPECT_TRUE(vehicleItem->state().expandable && vehicleItem->state().collapsed);
    EXPECT_EQ(vehicleItem->childCount(), 0);
    EXPECT_FALSE(tree->child(1)->state().expandable);  // a leaf

    // A press opens the branch, as a click does; its entries are its children, one level down.
    press(vehicleItem);
    ASSERT_TRUE(QTest::qWaitFor([&] { return vehicleItem->state().expanded; }));
    ASSERT_EQ(vehicleItem->childCount(), 1);
    QAccessibleInterface* engineItem = vehicleItem->child(0);
    EXPECT_EQ(engineItem->object(), menu->button(engine));
    EXPECT_EQ(engineItem->parent(), vehicleItem);
    EXPECT_EQ(vehicleItem->indexOfChild(engineItem), 0);
    EXPECT_EQ(engineItem->text(QAccessible::Description), QStringLiteral("level 2"));
    press(engineItem);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engineItem->childCount() == 1; }));
    QAccessibleInterface* liveItem = engineItem->child(0);
    EXPECT_EQ(liveItem->text(QAccessible::Description), QStringLiteral("level 3"));
    EXPECT_EQ(liveItem->parent()->parent()->parent(), tree);

    // A leaf's press starts its function: the parent hears of the item as from a click.
    press(liveItem);
    ASSERT_TRUE(QTest::qWaitFor([&] { return parent.count(WM_MENU_ITEM) == 1; }));
    const auto item = std::find_if(parent.messages.begin(), parent.messages.end(),
                                   [](const test::Message& m) { return m.message == WM_MENU_ITEM; });
    EXPECT_EQ(item->wParam, 0x2Au);

    // Closing a branch takes its entries out of the tree again.
    press(vehicleItem);
    ASSERT_TRUE(QTest::qWaitFor([&] { return vehicleItem->state().collapsed; }));
    EXPECT_EQ(vehicleItem->childCount(), 0);
    EXPECT_EQ(menu->entry(live).kind, CCorvMenu::KindLeaf);
}

}  // namespace
}  // namespace corvane
