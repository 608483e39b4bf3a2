// The property mapping from the value array to each class, per sub-type, and the component
// made from the dialog's choices.
#include "components/NewVormbrace.h"

#include <cmath>

#include "data/NumberText.h"
#include "data/Settings.h"
#include "host/Value.h"

namespace vormbrace {
namespace {

constexpr double kPi = 3.14159265358979;

// The cup depth of a cup-point set screw: half the cup diameter over cos 30°.
double CupDepth(double cupDiameter) { return (cupDiameter / 2) / std::cos(30 * kPi / 180); }

// The hole of a washer: the record's hole column when it holds one (never narrower than the
// bolt), else the nominal diameter.
double WasherHole(double nominal, double holeColumn) {
  return holeColumn >= nominal ? holeColumn : nominal;
}

// The point chamfer of a flat-point set screw: a 45° chamfer (90° included) down to the point
// diameter dp when the record gives one narrower than the thread, else a flat end.
double FlatPointChamfer(double D, double dp) { return dp > 0 && dp < D ? 90 : 0; }

// A count stored as a 16-bit integer, converted as the automation run time does.
std::int16_t Count16(double value) { return host::Value::Double(value).AsInt16(); }

}  // namespace

std::unique_ptr<Bolt> MakeBolt(std::int16_t type, const ValueArray& v) {
  auto b = std::make_unique<Bolt>();
  if (type < 1 || type > 10) return b;
  b->HeaderType = type;
  b->Diametro = v[0];
  b->lung = v[1];
  b->DistFiletto = type == 5 ? 0 : v[2];
  switch (type) {
    case 1:
    case 2:
      b->DiametroCollarino = v[3];
      b->LungTesta = v[5];
      b->Passo = v[7];
      b->DiamCerchioTesta = v[8];
      b->LungCollarino = type == 1 ? 0 : v[10];
      break;
    case 3:
      b->DiametroCollarino = 0;
      b->LungTesta = 0;
      b->Passo = v[5];
      b->DiamCerchioTesta = 0;
      b->LungCollarino = 0;
      break;
    case 4:
      b->DiametroCollarino = 0;
      b->LungTesta = v[5];
      b->Passo = v[7];
      b->DiamCerchioTesta = v[3];
      b->LungCollarino = 0;
      b->LatoTesta = v[4];
      break;
    case 5:  // threaded rod: no head, the pitch in f4
      b->DiametroCollarino = 0;
      b->LungTesta = 0;
      b->Passo = v[2];
      b->DiamCerchioTesta = 0;
      b->LungCollarino = 0;
      break;
    default:  // 6 to 10
      b->DiametroCollarino = 0;
      b->LungTesta = v[5];
      b->Passo = v[7];
      b->DiamCerchioTesta = type <= 7 ? v[8] : v[6];
      b->LungCollarino = 0;
      b->LatoTesta = 0;
      break;
  }
  switch (type) {
    case 6:
      b->Var1 = v[10];
      b->Var2 = v[9];
      break;
    case 7:
      b->Var1 = v[9];
      b->Var2 = v[11];
      break;
    case 8:
      b->Var1 = v[8];
      b->Var2 = v[9];
      b->Var3 = v[3];
      break;
    case 9:
      b->Var1 = v[10];
      b->Var2 = v[11];
      b->Var3 = v[3];
      b->Var4 = v[9];
      break;
    case 10:
      b->Var1 = v[9];
      b->Var2 = v[8];
      b->Var3 = v[3];
      break;
  }
  return b;
}

std::unique_ptr<Screw> MakeScrew(std::int16_t type, const ValueArray& v) {
  auto s = std::make_unique<Screw>();
  if (type < 1 || type > 12) return s;
  s->HeaderType = type;
  s->Diametro = v[0];
  s->lung = v[1];
  s->DistFiletto = v[2];
  s->Passo = v[7];
  switch (type) {
    case 1:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[3];
      s->Var1 = v[6];
      s->Var2 = v[8];
      s->Var3 = v[10];
      break;
    case 2:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[6];
      s->Var1 = v[3];
      s->Var2 = v[8];
      s->Var3 = v[10];
      break;
    case 3:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[3];
      s->Var2 = v[8];
      s->Var3 = v[10];
      break;
    case 4:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[3];
      s->Var1 = v[10];
      s->Var2 = v[11];
      break;
    case 5:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[6];
      s->Var1 = v[3];
      s->Var2 = v[8];
      s->Var3 = v[9];
      break;
    case 6:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[6];
      s->Var1 = v[3];
      s->Var2 = v[10];
      s->Var3 = v[9];
      s->Var4 = v[11];
      break;
    case 7:
    case 10:
      s->LungTesta = v[11];
      s->DiamCerchioTesta = v[6];
      s->Var1 = v[10];
      s->Var2 = v[8];
      s->Var3 = v[9];
      s->Var4 = v[5] - v[11];
      break;
    case 8:
    case 11:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[6];
      s->Var1 = v[3];
      s->Var2 = v[8];
      s->Var3 = v[9];
      s->Var4 = v[5] - v[11];
      break;
    case 9:
    case 12:
      s->LungTesta = v[5];
      s->DiamCerchioTesta = v[6];
      s->Var1 = v[3];
      s->Var2 = v[8];
      s->Var3 = v[9];
      s->Var4 = v[12];
      break;
  }
  return s;
}

std::unique_ptr<ScrewNoHead> MakeScrewNoHead(std::int16_t type, const ValueArray& v) {
  auto s = std::make_unique<ScrewNoHead>();
  if (type < 1 || type > 9) return s;
  s->ComponentType = type;
  s->Diametro = v[0];
  // Types 1 to 4 (hexagon socket) keep the chamfer in f9 and the recess in f6 and f8; types 5
  // to 8 (slotted) the chamfer in f8 and the slot in f5 and f6.
  switch (type) {
    case 1:
    case 2:
    case 3:
    case 4:
      s->lung = v[1];
      s->DiamInf = v[2];
      s->SmussoSuperiore = v[7];
      s->SmussoInferiore = type == 3   ? v[7]
                           : type == 4 ? 90
                           : type == 1 ? FlatPointChamfer(v[0], v[2])
                                       : 0;
      s->Passo = v[5];
      s->LargIntaglio = v[4];
      s->AltIntaglio = v[6];
      if (type == 2) {
        s->DiamCilindro = v[2];
        s->AltCilindro = v[8];
      }
      break;
    case 5:
    case 6:
    case 7:
    case 8:
      s->lung = v[1];
      s->DiamInf = v[2];
      s->SmussoSuperiore = v[6];
      s->SmussoInferiore = type == 7   ? v[6]
                           : type == 8 ? 90
                           : type == 5 ? FlatPointChamfer(v[0], v[2])
                                       : 0;
      s->Passo = v[5];
      s->LargIntaglio = v[3];
      s->AltIntaglio = v[4];
      if (type == 6) {
        s->DiamCilindro = v[2];
        s->AltCilindro = v[7];
      }
      break;
    case 9:  // stud with a domed end
      s->lung = v[1];
      s->Passo = v[7];
      s->LungRadice = v[5];
      s->LungGambo = v[4];
      s->AltCalotta = v[7];
      break;
  }
  if (type == 4 || type == 8) {
    s->DiamCoppa = v[2];
    s->AltCoppa = CupDepth(v[2]);
  }
  return s;
}

std::unique_ptr<Washer> MakeWasher(std::int16_t type, const ValueArray& v) {
  auto w = std::make_unique<Washer>();
  if (type < 1 || type > 8) return w;
  w->ComponentType = type;
  w->DiametroNominale = v[0];
  switch (type) {
    case 1:
      w->DiametroEsterno = v[3];
      w->DiametroInterno = v[2];
      w->Spessore = v[4];
      break;
    case 2:
    case 3:
      w->DiametroEsterno = v[4];
      w->DiametroInterno = v[2];
      w->Spessore = v[3];
      if (type == 3) w->SpessoreSmusso = v[5];
      break;
    case 4:
      w->DiametroEsterno = v[3];
      w->Spessore = v[4];
      w->lato = v[2];
      break;
    case 5:
      w->DiametroInterno = v[2];
      w->Spessore = v[4];
      w->lato = v[3];
      break;
    case 6:
    case 7:
      w->DiametroInterno = WasherHole(v[0], v[5]);
      w->Spessore = v[6];
      w->lato = v[2];
      w->Lato1 = v[3];
      w->Spessore1 = v[7];
      w->SpessoreSmusso = v[4];
      w->Scanalatura = v[8];
      break;
    case 8:
      w->DiametroEsterno = v[3];
      w->DiametroInterno = WasherHole(v[0], v[6]);
      w->Spessore = v[5];
      w->SpessoreSmusso = v[2];
      w->SpessoreSmusso1 = v[4];
      break;
  }
  return w;
}

std::unique_ptr<Nut> MakeNut(std::int16_t type, const ValueArray& v) {
  auto n = std::make_unique<Nut>();
  if (type < 1 || type > 9) return n;
  n->ComponentType = type;
  n->DiametroFiletto = v[0];
  n->Spessore = v[3];
  switch (type) {
    case 1:
      n->DiametroEsterno = v[4];
      n->Passo = v[5];
      break;
    case 2:
      n->DiametroEsterno = v[4];
      n->Passo = v[5];
      n->Scanalatura = v[7];
      n->LargScanalatura = v[3] - v[6];
      n->DiametroCorona = v[8];
      n->InizioCorona = v[6];
      n->numCave = Count16(v[9]);
      break;
    case 3:
      n->DiametroEsterno = v[4];
      n->Passo = v[5];
      n->DiametroCorona = v[4];
      n->InizioCorona = v[6] - v[3];
      break;
    case 4:
      n->Passo = v[5];
      n->LatoRet = v[2];
      break;
    case 5:
      n->Passo = v[5];
      n->LatoRet = v[2];
      n->DiametroInterno = v[4];
      break;
    case 6:
      n->DiametroEsterno = v[4];
      n->Passo = v[13];
      n->DiametroCalotta = v[7];
      n->AltezzaCalotta = v[9] - v[3];
      n->DiametroInternoCalotta = v[8];
      n->AltezzaInternoCalotta = v[5];
      n->RaggioCalotta = v[11];
      n->RaggioInternoCalotta = v[12];
      break;
    case 7:
      n->DiametroEsterno = v[4];
      n->Passo = v[10];
      n->DiametroCalotta = v[7];
      n->AltezzaCalotta = v[8] - v[3];
      n->AltezzaInternoCalotta = v[9] - v[3];
      n->RaggioCalotta = v[11];
      n->RaggioInternoCalotta = v[8] - v[3] - v[6];
      break;
    case 8:
      n->DiametroEsterno = v[4];
      n->Passo = v[13];
      // The dome's height above the hexagon: the whole height less the hexagon's, so that the
      // arch over the dome's straight part (v[10] - v[3]) is as high as its radius v[12].
      n->AltezzaCalotta = v[9] - v[3];
      n->AltezzaInternoCalotta = v[10] - v[3];
      n->DiametroCalotta = v[8];
      n->RaggioCalotta = v[12];
      break;
    case 9:
      n->DiametroEsterno = v[2];
      n->Passo = v[7];
      n->DiametroInterno = v[4];
      n->Scanalatura = v[5];
      n->LargScanalatura = v[6];
      n->numCave = Count16(v[9]);
      break;
  }
  return n;
}

std::unique_ptr<FastenerComponent> MakeComponent(std::int16_t kind, std::int16_t type,
                                                 const ValueArray& v) {
  switch (kind) {
    case 0:
      return MakeBolt(type, v);
    case 1:
      return MakeScrew(type, v);
    case 2:
      return MakeScrewNoHead(type, v);
    case 3:
      return MakeWasher(type, v);
    case 4:
      return MakeNut(type, v);
    default:
      return nullptr;
  }
}

std::unique_ptr<FastenerComponent> NewComponentFromDialog(std::int16_t kind,
                                                          const DialogChoices& choices) {
  RunTimeState& s = State();
  // Bolts, screws and set screws link to their hole and copies through the identifier.
  if (kind >= 0 && kind <= 2 && s.componentId == 0) s.componentId = NewUniqueNumber();
  std::unique_ptr<FastenerComponent> component = MakeComponent(kind, s.typeCode, s.values);
  if (component == nullptr) return nullptr;
  if (kind == 0 && s.typeCode == 5) {
    component->PutProperty("lung", host::Value::Double(Val(choices.ManualLength())));
  }
  component->FileData = choices.SizeFileName();
  component->Codice = choices.SelectedSize();
  component->Normativa = choices.SelectedStandard();
  component->MaterialCode = choices.SelectedMaterial();
  return component;
}

}  // namespace vormbrace
