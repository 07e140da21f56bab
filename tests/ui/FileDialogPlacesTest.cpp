// The installed samples' folder is offered among the places of every file dialog, once.
#include "ui/FileDialogPlaces.h"

#include "support/TempDir.h"

#include <QFileDialog>
#include <gtest/gtest.h>

TEST(FileDialogPlaces, EveryFileDialogOffersTheFolderOnce)
{
    TempDir samples;
    const QUrl place = QUrl::fromLocalFile(samples.dir());
    ui::FileDialogPlaces places({place});
    for (int shown = 0; shown < 2; ++shown) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        dialog.hide();
        dialog.show();
        EXPECT_EQ(dialog.sidebarUrls().count(place), 1);
        EXPECT_GE(dialog.sidebarUrls().size(), 2); // the dialog's own places stay
    }
}
