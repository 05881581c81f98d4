#include <gtest/gtest.h>

#include "library/builtin_catalogue.h"

using namespace halvern;

TEST(BuiltinCatalogue, NamesFollowTheLanguage)
{
    ComponentTable fr, en, other;
    fill_builtin_catalogue(fr, "fr");
    fill_builtin_catalogue(en, "en");
    fill_builtin_catalogue(other, "de");
    EXPECT_EQ(fr[3].name, "Or");
    EXPECT_EQ(fr[73].name, "Coin Or");
    EXPECT_EQ(fr[79].name, "Coin noir");
    EXPECT_EQ(fr[20].name, "Profilé Violet");
    EXPECT_EQ(fr[60].name, "Visuel au m²");
    EXPECT_EQ(en[3].name, "Gold");
    EXPECT_EQ(en[73].name, "Strondo Gold");
    EXPECT_EQ(en[71].name, "Strondo Lime");
    EXPECT_EQ(en[21].name, "Velts Lime "); // with its trailing blank
    EXPECT_EQ(en[29].name, "Velts Black");
    EXPECT_EQ(other[3].name, "Gold");
    for (ComponentTable* t : {&fr, &en, &other}) {
        EXPECT_EQ((*t)[99].name, "groupe");
        EXPECT_EQ((*t)[99].library, group_library);
        EXPECT_EQ((*t)[2317].name, "Poteau ovale");
    }
    // A language change writes over the other language's names.
    fill_builtin_catalogue(fr, "en");
    EXPECT_EQ(fr[64].name, "Corner Tabs");
}

TEST(BuiltinCatalogue, LibraryZeroValues)
{
    ComponentTable t;
    fill_builtin_catalogue(t, "en");
    EXPECT_EQ(t[0].width, 75.1);
    EXPECT_EQ(t[0].depth, 12);
    EXPECT_EQ(t[2].style, 2);
    EXPECT_EQ(t[3].weight, 311);
    EXPECT_EQ(t[9].weight, 0); // not given
    EXPECT_EQ(t[23].weight, 899);
    EXPECT_EQ(t[78].weight, 200);
    EXPECT_EQ(t[61].weight, 350);
    EXPECT_EQ(t[51].style, 1);
    for (int n = 0; n <= 10; ++n)
        EXPECT_EQ(t[n].panel, 3) << n;
    EXPECT_EQ(t[11].panel, 0);
    EXPECT_EQ(t[19].hidden, 0);
    for (int n = 20; n <= 99; ++n)
        EXPECT_EQ(t[n].hidden, -1) << n;
    EXPECT_EQ(t[5].library, 0);
    EXPECT_EQ(t[5].shape, 0);

    const double x[] = {7, 10, 68, 67}, y[] = {8, 9, 8, 9};
    const float r[] = {15, 195, -15, 165};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(t[0].magnet_x[k], x[k]);
        EXPECT_EQ(t[0].magnet_y[k], y[k]);
        EXPECT_EQ(t[0].magnet_r[k], r[k]);
        EXPECT_EQ(t[0].magnet_force[k], 10);
        EXPECT_EQ(t[0].magnet_contrainte[k], 1);
        EXPECT_EQ(t[0].magnet_recepteur[k], 1);
    }
    EXPECT_EQ(t[0].magnet_force[4], 0);
}

TEST(BuiltinCatalogue, LibraryTwentyThree)
{
    ComponentTable t;
    fill_builtin_catalogue(t, "fr");
    for (int n = 2300; n <= 2399; ++n)
        EXPECT_EQ(t[n].panel_w_1, n == 2301 ? 400 : 800) << n;
    EXPECT_EQ(t[2350].panel, 1);
    EXPECT_TRUE(t[2350].is_free());

    const Component& bend = t[2304];
    EXPECT_EQ(bend.library, 23);
    EXPECT_EQ(bend.name, "Courbe B int");
    EXPECT_EQ(bend.height, 245);
    EXPECT_EQ(bend.style, -60);
    EXPECT_TRUE(bend.has_3d);
    EXPECT_EQ(bend.no_magnet, "1");
    EXPECT_EQ(bend.magnet_no_elevation, 1);
    EXPECT_EQ(bend.magnet_x[1], 75.757);
    EXPECT_EQ(bend.magnet_r[0], -240.0f);
    EXPECT_EQ(bend.magnet_force[1], 20);
    EXPECT_EQ(bend.magnet_recepteur[0], 3);
    EXPECT_EQ(bend.magnet_contrainte[0], 1);

    // The G pair shares one entry; the outer variant is written last.
    EXPECT_EQ(t[2314].name, "Courbe G ext");
    EXPECT_EQ(t[2314].width, 79.2252);
    EXPECT_EQ(t[2314].style, 15);

    EXPECT_EQ(t[2312].height, 0);
    EXPECT_EQ(t[2312].no_magnet, "");
    EXPECT_EQ(t[2312].magnet_force[0], 0);
    EXPECT_EQ(t[2306].style, 0);
    EXPECT_EQ(t[2317].magnet_x[1], 20);
}
