#pragma once
// Documents that are saved and read back: point symbols made by the form's
// two creators (identities 1 and 2), a way to describe a drawing for
// comparison, and bytes built by hand for streams of older generations.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/data_mod_fixture.h"
#include "support/bytes.h"
#include "support/test_files.h"
#include "velloran/platform/headless_services.h"
#include "velloran/storage/infobox.h"
#include "velloran/storage/versions.h"

namespace vl::test {

class FileTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        // The draw box's identity is not committed before a paint; tests
        // save as a committed application 0.
        AppID.emplace(ThisAppID, 0);
    }
    void TearDown() override {
        AppID.reset();
        DocTest::TearDown();
    }

    // A counted, visible point symbol of creator c at p.
    TvlObject* Sym(TvlCreator* c, TPoint p) {
        std::unique_ptr<TvlObject> o = c->CreateObject();
        o->Count();
        o->SetPos(p);
        o->SetVisible(true);
        TvlObject* r = o.get();
        Doc->Add(std::move(o), 0);
        return r;
    }

    std::vector<uint8_t> Body() {
        TMemoryStream s;
        Doc->SaveToStream(s);
        return s.Bytes();
    }

    // One line per object: creator, identity, stored position (a slave's
    // offset and master instead).
    std::vector<std::string> Drawing() const {
        std::vector<std::string> d;
        for (int32_t i = 0; i < Doc->Count(); ++i) {
            const TvlObject* o = Doc->ObjectAt(i, 0);
            std::string s = std::to_string(o->ClassNr()) + "#" + std::to_string(o->ObjID) + " ";
            if (o->IsSlave())
                s += "on #" + std::to_string(o->GetMaster() ? o->GetMaster()->ObjID : 0) + " +" +
                     std::to_string(o->Pos.RelX) + "," + std::to_string(o->Pos.RelY);
            else
                s += std::to_string(o->Pos.x) + "," + std::to_string(o->Pos.y);
            d.push_back(s);
        }
        return d;
    }

    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    TScopedValue<int32_t> AppVersion{ThisAppVersion, 0x01000000};
    TUserbreakScope NoBreak{false};
    std::optional<TScopedValue<int32_t>> AppID;
};

} // namespace vl::test
