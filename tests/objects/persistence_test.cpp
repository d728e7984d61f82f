#include <random>

#include "support/alloc_counter.h"
#include "support/file_headers.h"
#include "object_fixture.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/picture.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;

namespace {

using B = std::vector<uint8_t>;

// An object with one field of every persistent kind.
class TRichObj : public TBoxObj {
public:
    using TBoxObj::TBoxObj;
    TPen Pen;
    TBrush Brush;
    TFont Font;
    String Text;
    std::unique_ptr<char16_t[]> PText;
    TPicture Pic;
    void Persist(TStream* s, TPstMode m) override {
        TvlObject::Persist(s, m);
        RegisterLink(s, Link, m);
        RegisterPen(s, Pen, m);
        RegisterBrush(s, Brush, m);
        RegisterFont(s, Font, m);
        RegisterString(s, Text, m);
        RegisterPChar(s, PText, m);
        RegisterPicture(s, Pic, m);
    }
};

class Persistence : public ObjectTest {
protected:
    template <typename F> B Written(F f) {
        TMemoryStream s;
        f(s);
        return s.Bytes();
    }
};

const B FreeRecord{1, 0, 1, 0, 1, 0, 0x64, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 3, 0, 0xFC, 0xFF, 0, 0, 0, 0};
const B SlaveRecord{2, 0, 2, 0, 0x11, 0, 1, 0, 1, 0, 0x78, 0x56, 0x34, 0x12, 5, 0, 0xFD, 0xFF, 0, 0, 0, 0};

TEST_F(Persistence, BaseRecordsOfFreeObjectAndSlave) {
    TBoxObj* m = Add(Tool, {100, -2});
    m->Pos.RelX = 3;
    m->Pos.RelY = -4;
    m->State.Include(isSelected).Include(isMarked).Include(isSizing);
    const TIndividualState before = m->State;
    EXPECT_EQ(Saved(*m), FreeRecord);
    EXPECT_EQ(m->State, before);

    TBoxObj* s = AddSlave(Tool2, m, 5, -3);
    s->Pos.RelPos = 0x12345678;
    EXPECT_EQ(Written([&](TStream& st) { s->Persist(&st, TPstMode::pstCopy); }), SlaveRecord);

    // Loaded and connected, the slave keeps RelPos and writes the same bytes.
    TBoxObj* r = Read(Tool2, SlaveRecord);
    EXPECT_TRUE(r->State.Contains(isConnect));
    r->Connect(Doc);
    EXPECT_TRUE(r->GetMaster() == m && !r->State.Contains(isConnect));
    EXPECT_EQ(r->Pos.RelPos, 0x12345678);
    EXPECT_EQ(r->GetPos(), (TPoint{105, -5}));
    EXPECT_EQ(Saved(*r), SlaveRecord);
    EXPECT_EQ(Read(Tool, FreeRecord)->GetPos(), (TPoint{100, -2}));
}

TEST_F(Persistence, OlderVersions) {
    // Before 0x2090 the identity is 32 bits wide; before 0x2000 four more
    // bytes follow the position block.
    const B body{7, 0, 5, 0, 1, 0, 10, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    B rec{1, 0};
    rec.insert(rec.end(), body.begin(), body.end());
    {
        TFileHeaderScope v(FormatVersion(0x208F));
        TBoxObj* a = Read(Tool, rec);
        EXPECT_EQ(a->ObjID, 7);
        EXPECT_EQ(a->GetPos(), (TPoint{10, 20}));
    }
    rec.insert(rec.end(), {9, 9, 9, 9});
    {
        TFileHeaderScope v(FormatVersion(0x1FFF));
        EXPECT_EQ(Read(Tool, rec)->GetPos(), (TPoint{10, 20}));
    }
    TFileHeaderScope v(FormatVersion(0x2090));
    const B now{1, 0, 7, 0, 1, 0, 10, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Read(Tool, now)->ObjID, 7);

    // 8-bit texts from hosts before 0x09000000.
    TFileHeaderScope host(HostVersion(0x08000000));
    TRichObj o(Tool);
    TMemoryStream s(B{2, 0, 0, 0, 'A', 0xE9, 2, 0, 0, 0, 'x', 'y', 0, 4, 0, 0, 0, 'D', 'e', 'f', 0});
    TvlObject::RegisterString(&s, o.Text, TPstMode::pstLoad);
    EXPECT_EQ(o.Text, u"A\u00E9");
    TvlObject::RegisterPChar(&s, o.PText, TPstMode::pstLoad);
    EXPECT_EQ(String(o.PText.get()), u"xy");
    // Pasted strings are always UTF-16.
    TMemoryStream w(B{1, 0, 0, 0, 'Q', 0});
    TvlObject::RegisterString(&w, o.Text, TPstMode::pstPaste);
    EXPECT_EQ(o.Text, u"Q");
}

TEST_F(Persistence, Links) {
    TBoxObj* target = Add(Tool2, {0, 0}); // ObjID 1
    TBoxObj* o = Add(Tool, {0, 0});
    EXPECT_EQ(Written([&](TStream& s) { o->RegisterLink(&s, o->Link, TPstMode::pstSave); }), B(8, 0));
    TMemoryStream zeros(B(8, 0));
    o->RegisterLink(&zeros, o->Link, TPstMode::pstLoad);
    EXPECT_TRUE(o->Link.IsNil());
    EXPECT_FALSE(o->State.Contains(isConnect));

    o->Link.ConObj = target;
    const B set{2, 0, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(Written([&](TStream& s) { o->RegisterLink(&s, o->Link, TPstMode::pstCopy); }), set);
    TMemoryStream in(set);
    o->RegisterLink(&in, o->Link, TPstMode::pstLoad);
    EXPECT_EQ(o->Link.ConObj, nullptr);
    EXPECT_TRUE(o->State.Contains(isConnect));
    o->RegisterLink(nullptr, o->Link, TPstMode::pstConnect);
    EXPECT_EQ(o->Link.ConObj, target);
    EXPECT_FALSE(o->State.Contains(isConnect));

    // A target that is not there leaves a nil link.
    TMemoryStream missing(B{2, 0, 42, 0, 0, 0, 0, 0});
    o->RegisterLink(&missing, o->Link, TPstMode::pstLoad);
    o->RegisterLink(nullptr, o->Link, TPstMode::pstConnect);
    EXPECT_TRUE(o->Link.IsNil());
    EXPECT_FALSE(o->State.Contains(isDeleted));
}

TEST_F(Persistence, PensBrushesFontsAndTexts) {
    TRichObj o(Tool);
    o.Pen = {clBlue, 2, TPenStyle::psDash, TPenMode::pmXor};
    o.Brush = {clYellow, TBrushStyle::bsClear};
    o.Font = {u"Ab", -11, fsBold | fsUnderline, TFontPitch::fpFixed, ANSI_CHARSET, clRed, 0};
    o.PText = std::make_unique<char16_t[]>(3);
    o.PText[0] = u'H';
    o.PText[1] = u'i';
    const auto w = TPstMode::pstSave;
    EXPECT_EQ(Written([&](TStream& s) { TvlObject::RegisterPen(&s, o.Pen, w); }),
              (B{0, 0, 0xFF, 0, 14, 1, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(Written([&](TStream& s) { TvlObject::RegisterBrush(&s, o.Brush, w); }),
              (B{0xFF, 0xFF, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Written([&](TStream& s) { TvlObject::RegisterFont(&s, o.Font, w); }),
              (B{0xFF, 0, 0, 0, 0xF5, 0xFF, 0xFF, 0xFF, 2, 5, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 'A', 0, 'b', 0}));
    EXPECT_EQ(Written([&](TStream& s) { TvlObject::RegisterPChar(&s, o.PText, w); }),
              (B{2, 0, 0, 0, 'H', 0, 'i', 0, 0, 0}));
    std::unique_ptr<char16_t[]> none;
    EXPECT_EQ(Written([&](TStream& s) { TvlObject::RegisterPChar(&s, none, w); }), B(4, 0));

    // A stored length below 1 leaves the text alone; a missing terminator is supplied.
    TMemoryStream texts(B{0, 0, 0, 0, 2, 0, 0, 0, 'A', 0, 'B', 0, 'C', 0});
    TvlObject::RegisterPChar(&texts, o.PText, TPstMode::pstLoad);
    EXPECT_EQ(String(o.PText.get()), u"Hi");
    TvlObject::RegisterPChar(&texts, o.PText, TPstMode::pstPaste);
    EXPECT_EQ(String(o.PText.get()), u"AB");
    // A value no pen can have is a format error, and the pen stays as it was.
    TMemoryStream bad(B{0, 0, 0, 0, 16, 0, 0, 0, 1, 0, 0, 0});
    EXPECT_THROW(TvlObject::RegisterPen(&bad, o.Pen, TPstMode::pstLoad), EReadError);
    EXPECT_EQ(o.Pen.Mode, TPenMode::pmXor);
}

TEST_F(Persistence, PicturesOfEachKind) {
    // Written as the kind and the graphic's own image (a metafile's with its
    // length); read back without touching what follows.
    auto roundTrip = [&](std::unique_ptr<TGraphic> g, B head) {
        TMemoryStream image;
        g->SaveToStream(image);
        TPicture pic;
        pic.SetGraphic(std::move(g));
        B bytes = Written([&](TStream& s) { TvlObject::RegisterPicture(&s, pic, TPstMode::pstSave); });
        head.insert(head.end(), image.Bytes().begin(), image.Bytes().end());
        EXPECT_EQ(bytes, head);
        bytes.push_back(0x5A);
        TMemoryStream in(bytes);
        TPicture back;
        TvlObject::RegisterPicture(&in, back, TPstMode::pstLoad);
        EXPECT_EQ(in.Remaining(), 1);
        return back;
    };
    auto bmp = std::make_unique<TBitmap>(2, 1, clRed);
    bmp->SetPixel(1, 0, clBlue);
    TPicture b = roundTrip(std::move(bmp), {1, 0});
    ASSERT_TRUE(dynamic_cast<TBitmap*>(b.Graphic()));
    EXPECT_EQ(static_cast<TBitmap*>(b.Graphic())->Pixels(), (std::vector<TColor>{clRed, clBlue}));

    auto ico = std::make_unique<TIcon>();
    ico->Image().SetSize(2, 2, clLime);
    ico->SetMask({false, true, false, false});
    EXPECT_TRUE(dynamic_cast<TIcon*>(roundTrip(std::move(ico), {2, 0}).Graphic()));

    auto mf = std::make_unique<TMetafile>();
    {
        TMetafileCanvas c(*mf);
        c.Ellipse({0, 0, 30, 20});
    }
    const B image = mf->Data();
    const auto n = static_cast<uint32_t>(image.size());
    TPicture m = roundTrip(std::move(mf), {3, 0, uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)});
    ASSERT_TRUE(dynamic_cast<TMetafile*>(m.Graphic()));
    EXPECT_EQ(static_cast<TMetafile*>(m.Graphic())->Data(), image);

    // A compressed image is stored as the bitmap it decodes to, since kind 1
    // is read back as a bitmap.
    SetImageDecoder([](const std::vector<uint8_t>&, TBitmap& out) {
        out.SetSize(1, 1, clGreen);
        return true;
    });
    TPicture pic;
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->SetData({0xFF, 0xD8, 0xFF, 0xD9});
    pic.SetGraphic(std::move(jpeg));
    TMemoryStream j;
    TvlObject::RegisterPicture(&j, pic, TPstMode::pstCopy);
    SetImageDecoder({});
    j.SetPosition(0);
    TvlObject::RegisterPicture(&j, pic, TPstMode::pstPaste);
    ASSERT_TRUE(dynamic_cast<TBitmap*>(pic.Graphic()));
    EXPECT_EQ(static_cast<TBitmap*>(pic.Graphic())->Pixel(0, 0), clGreen);

    TMemoryStream unknown(B{4, 0, 0, 0});
    EXPECT_THROW(TvlObject::RegisterPicture(&unknown, pic, TPstMode::pstLoad), EReadError);
    TPicture empty;
    EXPECT_THROW(TvlObject::RegisterPicture(&unknown, empty, TPstMode::pstSave), EInvalidGraphic);
}

TEST_F(Persistence, PasteTranslatesLinksAmongPastedObjects) {
    TBoxObj* m = Add(Tool, {100, 50});       // ID 1
    TBoxObj* s = AddSlave(Tool2, m, 5, 5);   // ID 2
    const B mRec = Written([&](TStream& st) { m->Persist(&st, TPstMode::pstCopy); });
    const B sRec = Written([&](TStream& st) { s->Persist(&st, TPstMode::pstCopy); });

    {
        TPasteScope paste;
        TBoxObj* m2 = Read(Tool, mRec, TPstMode::pstPaste); // new ID 3
        TBoxObj* s2 = Read(Tool2, sRec, TPstMode::pstPaste); // new ID 4
        ASSERT_EQ(PasteIDList->Count(), 2);
        const auto* rec = static_cast<const TPasteIDRec*>(PasteIDList->Get(1));
        EXPECT_EQ((std::vector<int>{rec->ClassNr, rec->StoredID, rec->NewID}), (std::vector<int>{2, 2, 4}));
        s2->Persist(nullptr, TPstMode::pstConnectCopy);
        EXPECT_TRUE(s2->GetMaster() == m2 && s2->Pos.ConID == 3 && !s2->State.Contains(isDeleted));
    }
    {
        // Pasted without its master: removed later, and meanwhile free at its offset.
        TPasteScope paste;
        TBoxObj* lone = Read(Tool2, sRec, TPstMode::pstPaste);
        lone->Persist(nullptr, TPstMode::pstConnectCopy);
        EXPECT_TRUE(lone->State.Contains(isDeleted) && !lone->IsSlave() && lone->GetMaster() == lone);
        EXPECT_EQ(lone->GetPos(), (TPoint{5, 5}));
    }

    // Outside a paste nothing can be translated.
    TBoxObj* late = Read(Tool2, sRec, TPstMode::pstPaste);
    late->Persist(nullptr, TPstMode::pstConnectCopy);
    EXPECT_TRUE(late->State.Contains(isDeleted));
}

// An object with a link of its own after the base record.
class TLinkObj : public TBoxObj {
public:
    using TBoxObj::TBoxObj;
    void Persist(TStream* s, TPstMode m) override {
        TvlObject::Persist(s, m);
        RegisterLink(s, Link, m);
    }
};

TEST_F(Persistence, PasteClearsLinksItCannotResolve) {
    // Tool2's object 9, free at (0, 0), linked to (Tool, 1).
    B rec{2, 0, 9, 0, 1, 0};
    rec.resize(22, 0);
    rec.insert(rec.end(), {1, 0, 1, 0, 0, 0, 0, 0});
    const B nilLink(8, 0);
    {
        // Pasted without its partner: it goes, and saves no stale link
        // meanwhile (the next load would drop it silently).
        TPasteScope paste;
        auto* lone = Read<TLinkObj>(Tool2, rec, TPstMode::pstPaste);
        lone->Persist(nullptr, TPstMode::pstConnectCopy);
        EXPECT_TRUE(lone->State.Contains(isDeleted));
        EXPECT_FALSE(lone->State.Contains(isConnect));
        EXPECT_TRUE(lone->Link.IsNil());
        const B saved = Written([&](TStream& st) { lone->Persist(&st, TPstMode::pstSave); });
        EXPECT_EQ(B(saved.end() - 8, saved.end()), nilLink);
    }
    // Translated, but the partner is not in the document.
    TPasteScope paste;
    const TPasteIDRec gone{1, 1, 77};
    PasteIDList->Add(&gone);
    auto* orphan = Read<TLinkObj>(Tool2, rec, TPstMode::pstPaste);
    orphan->Persist(nullptr, TPstMode::pstConnectCopy);
    EXPECT_TRUE(orphan->Link.IsNil());
    const B saved = Written([&](TStream& st) { orphan->Persist(&st, TPstMode::pstSave); });
    EXPECT_EQ(B(saved.end() - 8, saved.end()), nilLink);
}

TEST_F(Persistence, EmbeddedObjectsRoundTripOutsideThePasteTranslation) {
    TBoxObj inner(Tool2), copy(Tool2);
    inner.SetPos({4, 5});
    inner.ObjID = 5;
    const B bytes = Written([&](TStream& s) { TvlObject::RegisterObject(&s, inner, TPstMode::pstSave); });
    EXPECT_EQ(B(bytes.begin(), bytes.begin() + 2), (B{2, 0})); // the class number leads
    TMemoryStream in(bytes);
    TvlObject::RegisterObject(&in, copy, TPstMode::pstLoad);
    EXPECT_TRUE(copy.GetPos() == (TPoint{4, 5}) && in.Remaining() == 0);

    // Pasted, it gets no identity, and identity 0 names nothing to translate.
    TMemoryStream copied(Written([&](TStream& s) { TvlObject::RegisterObject(&s, inner, TPstMode::pstCopy); }));
    TPasteScope paste;
    TBoxObj pasted(Tool2);
    TvlObject::RegisterObject(&copied, pasted, TPstMode::pstPaste);
    EXPECT_EQ(pasted.ObjID, 0);
    EXPECT_EQ(PasteIDList->Count(), 0);
    EXPECT_FALSE(PastedID(2, 5));
}

TEST_F(Persistence, SlaveWithoutAFindableMasterBecomesFree) {
    // Master (1, 99) does not exist.
    B rec = SlaveRecord;
    rec[8] = 99;
    TBoxObj* s = Read(Tool2, rec);
    EXPECT_EQ(s->GetPos(), (TPoint{5, -3})); // before connecting: offset from the origin
    s->Connect(Doc);
    EXPECT_FALSE(s->State.Contains(isSlave) || s->State.Contains(isConnect));
    EXPECT_TRUE(s->State.Contains(isDeleted));
    EXPECT_EQ(s->GetMaster(), s);
    EXPECT_EQ(s->GetPos(), (TPoint{5, -3}));
    // Saved now, it is a free object.
    EXPECT_EQ(Saved(*s)[4], 0x01);

    // A master link that comes back to the object itself would never end.
    B self = SlaveRecord;
    self[6] = 2, self[8] = 5; // master (2, 5): the object itself
    TBoxObj* loop = Read(Tool2, self);
    loop->ObjID = 5;
    loop->Connect(Doc);
    EXPECT_TRUE(loop->GetMaster() == loop && loop->State.Contains(isDeleted));

    // Two slaves each naming the other.
    Doc->Objects.clear();
    B a = SlaveRecord, b = SlaveRecord;
    a[6] = 2, a[8] = 20, a[2] = 10; // ID 10, master (2, 20)
    b[6] = 2, b[8] = 10, b[2] = 20; // ID 20, master (2, 10)
    TBoxObj* sa = Read(Tool2, a);
    TBoxObj* sb = Read(Tool2, b);
    sa->Connect(Doc);
    sb->Connect(Doc);
    EXPECT_EQ(sa->GetMaster(), sb);
    EXPECT_EQ(sb->GetMaster(), sb);
    EXPECT_EQ(sa->GetX(), 10); // 5 + sb at 5
}

TEST_F(Persistence, WholeRecordRoundTripsAndDamagedInputFailsWithReadErrors) {
    TRichObj o(Tool);
    o.Count();
    o.Link.ConObj = Add(Tool2, {0, 0});
    o.Pen.Width = 5;
    o.Brush.Style = TBrushStyle::bsCross;
    o.Font.Name = u"Times New Roman";
    o.Text = u"text";
    o.PText = std::make_unique<char16_t[]>(2);
    o.PText[0] = u'z';
    auto mf = std::make_unique<TMetafile>();
    {
        TMetafileCanvas c(*mf);
        c.Rectangle({0, 0, 5, 5});
    }
    o.Pic.SetGraphic(std::move(mf));
    const B full = Saved(o);
    ExpectTruncationsFail<TRichObj, Exception>(Tool, full);
    {
        TMemoryStream s(B(full.begin() + 2, full.end()));
        TRichObj r(Tool);
        r.LoadFromStream(s);
        EXPECT_EQ(s.Remaining(), 0);
        EXPECT_TRUE(r.Pen == o.Pen && r.Brush == o.Brush && r.Font == o.Font);
        EXPECT_TRUE(r.Text == u"text" && String(r.PText.get()) == u"z" && r.Link.ConID == 2);
    }

    // Lengths far beyond the stream allocate nothing of that size.
    vl::test::GLargestAllocation = 0;
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        B junk(2 + rng() % 120);
        for (auto& b : junk) b = static_cast<uint8_t>(rng());
        TFileHeaderScope host(HostVersion(round % 3 ? ThisHostVersion : 0x08000000));
        TMemoryStream s(junk);
        TRichObj r(Tool);
        try {
            r.Persist(&s, round % 4 ? TPstMode::pstLoad : TPstMode::pstPaste);
        } catch (const Exception&) {
        }
    }
    EXPECT_LT(vl::test::GLargestAllocation, 64u * 1024);
    TRichObj r(Tool);
    TMemoryStream p(B{0xFE, 0xFF, 0xFF, 0x7F, 1, 0});
    EXPECT_THROW(TvlObject::RegisterPChar(&p, r.PText, TPstMode::pstLoad), EReadError);
    for (uint8_t huge : {0x7F, 0xFF}) { // beyond the stream, and negative
        TMemoryStream m(B{3, 0, 0xF0, 0xFF, 0xFF, huge, 1});
        EXPECT_THROW(TvlObject::RegisterPicture(&m, r.Pic, TPstMode::pstLoad), EReadError);
    }
    EXPECT_FALSE(r.PText || r.Pic.Graphic());
}

} // namespace
