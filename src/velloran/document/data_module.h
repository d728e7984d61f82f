#pragma once
// TvlDataModule: the document for drawings without layer management. Every
// object lives in one layer, the object case; layer numbers are ignored and
// indexes carry layer number 0.

#include <cstdint>
#include <memory>

#include "velloran/document/data_mod.h"
#include "velloran/objects/layer.h"

namespace vl {

/// The document for drawings without layer management: every object lives in one layer.
class TvlDataModule : public TvlDataMod {
public:
    /// A document owned by AOwner (usually the form), with an empty object case.
    explicit TvlDataModule(TComponent* AOwner);
    /// The object case goes first, with its objects.
    ~TvlDataModule() override;
    std::string ClassName() const override { return "TvlDataModule"; }

    /// The document's handlers and, from another TvlDataModule, Capacity.
    void Assign(const TPersistent& Source) override;

    /// Initial capacity of object cases made from now on.
    uint32_t Capacity() const { return FCapacity; }
    void SetCapacity(uint32_t Value) { FCapacity = Value; }

    TvlLayer& Objects() const { return *FObjCase; }
    /// Installs another object case and hands back the present one with its
    /// objects; the mark case and the object under the mouse are forgotten.
    std::unique_ptr<TvlLayer> SetObjects(std::unique_ptr<TvlLayer> Value);

    int32_t GetMaxX() const override { return FObjCase->GetMaxX(); }
    int32_t GetminX() const override { return FObjCase->GetminX(); }
    int32_t GetmaxY() const override { return FObjCase->GetmaxY(); }
    int32_t GetminY() const override { return FObjCase->GetminY(); }
    TLimRec GetLimits() override { return FObjCase->GetLimits(); }
    int32_t GetCount() const override { return FObjCase->Count(); }

    /// Counters to 0 and every object freed; the old area is repainted.
    void Clear() override;
    void CheckLinks(TInvolve Code) override;
    void CheckLimits(TvlObject* AnyObj, bool noBorder) override;
    TvlObject* ObjectAt(int32_t Index, int32_t LayerNr) const override;
    TObjIndex IndexOf(const TvlObject* AObject) const override;
    using TvlDataMod::AllObjects;
    void AllObjects(TAllObjectsProc Action) override;
    void AllObjectsBack(TAllObjectsProc Action) override;
    void AllObjectsIn(const TLimRec& Area, TAllObjectsProc Action) override;
    TvlObject* FirstObjectIn(const TLimRec& Area, TFirstObjectFunc Condition) override;
    TvlObject* LastObjectIn(const TLimRec& Area, TFirstObjectFunc Condition) override;
    void LimitsChanged(TvlObject& Obj, const TLimRec& Old) override;
    TvlObject* FirstObjectWith(TFirstObjectFunc Condition) override;
    TvlObject* LastObjectWith(TFirstObjectFunc Condition) override;
    TObjIndex FirstIndexWith(TFirstObjectFunc Condition) override;
    TObjIndex LastIndexWith(TFirstObjectFunc Condition) override;
    void InitLimits() override { FObjCase->InitLimits(); }
    void RecalcLimits() override { FObjCase->RecalcLimits(); }
    int32_t BringToFront(TObject* Item, bool ZOrder) override;
    int32_t SendToBack(TObject* Item, bool ZOrder) override;
    void Add(std::unique_ptr<TvlObject> Item, int32_t LayNr = 0) override;
    std::unique_ptr<TvlObject> Remove(TvlObject* Item) override;
    void DeleteObjects() override;

protected:
    void FreeDeletedObjects() override;

public:
    bool Empty() const override { return !FObjCase || FObjCase->Count() == 0; }
    /// Counter count (16-bit), the counters, the object case's record.
    void SaveToStream(TStream& Stream) override;
    /// Counters and the object case's record, installed only when complete.
    bool LoadFromStream(TStream& Stream) override;

    /// The lowest visible object whose hit test accepts the unit square at
    /// (x, y); nullptr when none. Layer is ignored.
    TvlObject* FindAt(int32_t Layer, int32_t x, int32_t y);

private:
    std::unique_ptr<TvlLayer> NewObjCase() const;

    /// Before the object case: its constructor reads it.
    uint32_t FCapacity = 100;
    std::unique_ptr<TvlLayer> FObjCase;
};

} // namespace vl
