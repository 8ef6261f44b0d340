#include "jet/DatabasePassword.h"

#include "jet/DataType.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

// Published PBKDF2-HMAC-SHA256 vectors: a wrong derivation would still let databases of this
// program open each other, but not match anything else.
TEST(DatabasePasswordTest, DerivationMatchesPublishedVectors)
{
    EXPECT_EQ(DatabasePassword::derive("password", "salt", 1).toHex(),
              "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
    EXPECT_EQ(DatabasePassword::derive("password", "salt", 2).toHex(),
              "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43");
    EXPECT_EQ(DatabasePassword::derive("password", "salt", 4096).toHex(),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
}

TEST(DataTypeTest, DeclaredTypesMapToJetTypesWithoutLosingPrecision)
{
    struct Case
    {
        const char* declared;
        DataType type;
        int size;
    };
    for (const Case& c :
         {Case{"TEXT(50)", DataType::VarWChar, 50}, Case{"varchar ( 12 )", DataType::VarWChar, 12},
          Case{"TEXT", DataType::LongVarWChar, 0}, Case{"LONGTEXT", DataType::LongVarWChar, 0},
          Case{"SHORT", DataType::SmallInt, 0}, Case{"LONG", DataType::Integer, 0},
          Case{"INTEGER", DataType::Integer, 0}, Case{"BYTE", DataType::UnsignedTinyInt, 0},
          Case{"SINGLE", DataType::Single, 0},
          // SQLite's REAL is a double: reading it as Single would drop digits.
          Case{"REAL", DataType::Double, 0}, Case{"DOUBLE", DataType::Double, 0},
          Case{"CURRENCY", DataType::Currency, 0}, Case{"DateTime", DataType::Date, 0},
          Case{"BIT", DataType::Boolean, 0}, Case{"YESNO", DataType::Boolean, 0},
          Case{"LONGBINARY", DataType::LongVarBinary, 0}, Case{"BLOB", DataType::LongVarBinary, 0},
          Case{"", DataType::Variant, 0}, Case{"WHATEVER(3)", DataType::Variant, 0}}) {
        SCOPED_TRACE(c.declared);
        const ColumnType type = columnTypeFromDeclaration(QString::fromUtf8(c.declared));
        EXPECT_EQ(type.type, c.type);
        EXPECT_EQ(type.size, c.size);
    }
}

} // namespace
} // namespace jet
