#pragma once

#include "properties/step_log.hpp"

namespace kavrel::stepNames {

// The quantities the formulas name, as a calculation sheet shows them.
inline constexpr StepName b1{"b1", "straight length of each wall along the width, B - 4t", "mm"};
inline constexpr StepName d1{"d1", "straight length of each wall along the depth, D - 4t", "mm"};
inline constexpr StepName h{"h", "perimeter of the wall's mid-line, for the torsion terms", "mm"};
inline constexpr StepName Ah{"Ah", "area enclosed by the wall's mid-line", "mm^2"};
inline constexpr StepName K{"K", "torsion factor, 2 Ah t / h", "mm^2"};
inline constexpr StepName P1{"P1", "Ixx of the two walls along the depth", "mm^4"};
inline constexpr StepName P2{
    "P2", "Ixx of the two walls along the width, at (D - t)/2 from the x axis", "mm^4"};
inline constexpr StepName P3{
    "P3", "Ixx of the four corners about their own centroids (the same in Iyy)", "mm^4"};
inline constexpr StepName P4{
    "P4", "Ixx of the four corners' area at their centroids' distance from x", "mm^4"};
inline constexpr StepName Q1{"Q1", "Iyy of the two walls along the width", "mm^4"};
inline constexpr StepName Q2{
    "Q2", "Iyy of the two walls along the depth, at (B - t)/2 from the y axis", "mm^4"};
inline constexpr StepName Q4{
    "Q4", "Iyy of the four corners' area at their centroids' distance from y", "mm^4"};

} // namespace kavrel::stepNames

namespace kavrel::stepNames {

// The exact geometry of straight walls and rounded corners, and the exact tube.
inline constexpr StepName ro{"ro", "outer corner radius", "mm"};
inline constexpr StepName ri{"ri", "inner corner radius", "mm"};
inline constexpr StepName Di{"Di", "inner depth, D - 2t; for a tube the inside diameter", "mm"};
inline constexpr StepName Bi{"Bi", "inner width, B - 2t", "mm"};
inline constexpr StepName k{
    "k", "area that four corners of radius r lack against square ones, per r^2", ""};
inline constexpr StepName cxo{"cxo", "distance of the outer corners' centres from the x axis",
                              "mm"};
inline constexpr StepName cyo{"cyo", "distance of the outer corners' centres from the y axis",
                              "mm"};
inline constexpr StepName cxi{"cxi", "distance of the inner corners' centres from the x axis",
                              "mm"};
inline constexpr StepName cyi{"cyi", "distance of the inner corners' centres from the y axis",
                              "mm"};
inline constexpr StepName Ao{"Ao", "area of the solid outer rounded rectangle", "mm^2"};
inline constexpr StepName Ai{"Ai", "area of the solid inner rounded rectangle, the hole", "mm^2"};
inline constexpr StepName Ixo{
    "Ixo", "second moment of area of the solid outer rounded rectangle about x", "mm^4"};
inline constexpr StepName Ixi{
    "Ixi", "second moment of area of the solid inner rounded rectangle about x", "mm^4"};
inline constexpr StepName Iyo{
    "Iyo", "second moment of area of the solid outer rounded rectangle about y", "mm^4"};
inline constexpr StepName Iyi{
    "Iyi", "second moment of area of the solid inner rounded rectangle about y", "mm^4"};
inline constexpr StepName rm{"rm", "corner radius of the wall's mid-line, (ro + ri)/2", "mm"};
inline constexpr StepName Jm{
    "Jm", "torsional constant of the wall on its mid-line, t^3 h/3 + 2 K Ah", "mm^4"};
inline constexpr StepName Zpxo{
    "Zpxo", "plastic modulus of the solid outer rounded rectangle about x", "mm^3"};
inline constexpr StepName Zpxi{
    "Zpxi", "plastic modulus of the solid inner rounded rectangle about x", "mm^3"};
inline constexpr StepName Zpyo{
    "Zpyo", "plastic modulus of the solid outer rounded rectangle about y", "mm^3"};
inline constexpr StepName Zpyi{
    "Zpyi", "plastic modulus of the solid inner rounded rectangle about y", "mm^3"};
inline constexpr StepName I{"I", "second moment of area about any diameter", "cm^4"};
inline constexpr StepName Z{"Z", "elastic modulus about any diameter", "cm^3"};
inline constexpr StepName r{"r", "radius of gyration about any diameter", "cm"};
inline constexpr StepName Zp{"Zp", "plastic modulus about any diameter", "cm^3"};

} // namespace kavrel::stepNames

namespace kavrel::stepNames {

// The names above give the metric unit of each quantity (lengths in mm, or the cm of a result);
// worked in inches, the recorder names the same power of an inch.
// A metric length, area, first or second moment's unit as the same in inches.
constexpr std::string_view inchesOf(std::string_view unit) {
    constexpr std::string_view pairs[][2] = {{"mm", "in"},     {"mm^2", "in^2"}, {"mm^3", "in^3"},
                                             {"mm^4", "in^4"}, {"cm", "in"},     {"cm^2", "in^2"},
                                             {"cm^3", "in^3"}, {"cm^4", "in^4"}};
    for (const auto& pair : pairs) {
        if (pair[0] == unit) {
            return pair[1];
        }
    }
    return unit;
}

// The weight per length of a unit of the area, where the steps are worked in other units than
// those in which the catalogue gives its steel's weight.
inline constexpr StepName steelWeightInUs{
    "wA", "weight per length of a unit of area, steel of 7850 kg/m^3 (0.785 kg/m per cm^2)",
    "lb/ft per in^2"};
inline constexpr StepName aiscWeightInMetric{
    "wA", "weight per length of a unit of area, steel of 490 lb/ft^3 (490/144 lb/ft per in^2)",
    "kg/m per cm^2"};

// The AISC database's own quantities.
inline constexpr StepName aiscNominalArea{"An", "area with the nominal wall tnom, for the weight",
                                          "cm^2"};
inline constexpr StepName aiscCornerTerm{
    "Ic", "the database's corner term of Ixx and Iyy, (64/(27 pi)) t^4", "mm^4"};
inline constexpr StepName aiscAp{"Ap", "area enclosed by the wall's mid-line, corners 1.5t",
                                 "mm^2"};
inline constexpr StepName aiscP{"p", "perimeter of the wall's mid-line, corners 1.5t", "mm"};

} // namespace kavrel::stepNames
