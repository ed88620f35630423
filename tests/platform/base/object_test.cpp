// Run-time class records: IsKindOf along the base chain, creation by name, schemas.
#include "platform/base/object.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace
{
class CShape : public CObject
{
    FW_CLASS(CShape, CObject)
};

class CCircle : public CShape
{
    FW_CREATABLE(CCircle, CShape)

    int m_radius = 3;
};

class CSquare : public CShape
{
    FW_SERIAL(CSquare, CShape, 2)
};
} // namespace

TEST(CObject, IsKindOfFollowsTheBaseChain)
{
    const CCircle circle;
    const CObject& object = circle;
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_FALSE(CShape().IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_STREQ("CCircle", object.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CCircle)), object.GetRuntimeClass()->m_nObjectSize);
}

TEST(CObject, CreatableClassesAreFoundByName)
{
    const CRuntimeClass* found = CRuntimeClass::FromName("CCircle");
    ASSERT_EQ(RUNTIME_CLASS(CCircle), found);
    const std::unique_ptr<CObject> made(found->CreateObject());
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(3, static_cast<CCircle*>(made.get())->m_radius);

    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CShape")); // not creatable
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
}

TEST(CObject, SchemasMarkSerialisableClasses)
{
    EXPECT_EQ(2u, RUNTIME_CLASS(CSquare)->m_wSchema);
    EXPECT_TRUE(CSquare().IsSerializable());
    EXPECT_FALSE(CCircle().IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
}
