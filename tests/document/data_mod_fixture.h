#pragma once
// The object tests' form in a headless window, with a single-layer
// document and creators of 10 x 10 boxes.

#include <memory>
#include <vector>

#include "objects/object_fixture.h"
#include "velloran/document/data_module.h"

namespace vl::test {

class DocTest : public FormTest<TvlDataModule> {
protected:
    void SetUp() override {
        FormTest::SetUp();
        Tool->Generator().SetWidth(10);
        Tool->Generator().SetHeight(10);
        Host = std::make_unique<THeadlessWindowHost>(Box);
        Host->ClearRecords();
    }
    void TearDown() override {
        Host.reset();
        FormTest::TearDown();
    }
    std::vector<TvlObject*> Content() const { return Items(Doc->Objects()); }

    std::unique_ptr<THeadlessWindowHost> Host;
};

} // namespace vl::test
