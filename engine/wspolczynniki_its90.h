#pragma once

#include <array>

// ITS-90 coefficient sets of NIST Monograph 175, rescaled to microvolts by
// moving the decimal exponent of each published literal (x1000 for reference
// coefficients c_i, /1000^i for inverse coefficients d_i), so that every
// published digit is kept and no rounding comes from a runtime multiply.
// Zeros that NIST lists above a set's last coefficient are left out.
namespace engine {

// clang-format off
// ---- Type J ----
// Type J reference function, -210 °C to 760 °C: c0..c8, µV/°C^i.
inline constexpr std::array<double, 9> kJRef1{
     0.000000000000E+00,    // c0
     0.503811878150E+02,    // c1
     0.304758369300E-01,    // c2
    -0.856810657200E-04,    // c3
     0.132281952950E-06,    // c4
    -0.170529583370E-09,    // c5
     0.209480906970E-12,    // c6
    -0.125383953360E-15,    // c7
     0.156317256970E-19,    // c8
};

// Type J reference function, 760 °C to 1200 °C: c0..c5, µV/°C^i.
inline constexpr std::array<double, 6> kJRef2{
     0.296456256810E+06,    // c0
    -0.149761277860E+04,    // c1
     0.317871039240E+01,    // c2
    -0.318476867010E-02,    // c3
     0.157208190040E-05,    // c4
    -0.306913690560E-09,    // c5
};

// Type J inverse, -8095 µV to 0 µV (-210 °C to 0 °C): d0..d8, °C/µV^i.
inline constexpr std::array<double, 9> kJInv1{
     0.0000000E+00,         // d0
     1.9528268E-02,         // d1
    -1.2286185E-06,         // d2
    -1.0752178E-09,         // d3
    -5.9086933E-13,         // d4
    -1.7256713E-16,         // d5
    -2.8131513E-20,         // d6
    -2.3963370E-24,         // d7
    -8.3823321E-29,         // d8
};

// Type J inverse, 0 µV to 42919 µV (0 °C to 760 °C): d0..d7, °C/µV^i.
inline constexpr std::array<double, 8> kJInv2{
     0.000000E+00,          // d0
     1.978425E-02,          // d1
    -2.001204E-07,          // d2
     1.036969E-11,          // d3
    -2.549687E-16,          // d4
     3.585153E-21,          // d5
    -5.344285E-26,          // d6
     5.099890E-31,          // d7
};

// Type J inverse, 42919 µV to 69553 µV (760 °C to 1200 °C): d0..d5, °C/µV^i.
inline constexpr std::array<double, 6> kJInv3{
    -3.11358187E+03,        // d0
     3.00543684E-01,        // d1
    -9.94773230E-06,        // d2
     1.70276630E-10,        // d3
    -1.43033468E-15,        // d4
     4.73886084E-21,        // d5
};

// ---- Type K ----
// Type K reference function, -270 °C to 0 °C: c0..c10, µV/°C^i.
inline constexpr std::array<double, 11> kKRef1{
     0.000000000000E+00,    // c0
     0.394501280250E+02,    // c1
     0.236223735980E-01,    // c2
    -0.328589067840E-03,    // c3
    -0.499048287770E-05,    // c4
    -0.675090591730E-07,    // c5
    -0.574103274280E-09,    // c6
    -0.310888728940E-11,    // c7
    -0.104516093650E-13,    // c8
    -0.198892668780E-16,    // c9
    -0.163226974860E-19,    // c10
};

// Type K reference function, 0 °C to 1372 °C: c0..c9, µV/°C^i.
inline constexpr std::array<double, 10> kKRef2{
    -0.176004136860E+02,    // c0
     0.389212049750E+02,    // c1
     0.185587700320E-01,    // c2
    -0.994575928740E-04,    // c3
     0.318409457190E-06,    // c4
    -0.560728448890E-09,    // c5
     0.560750590590E-12,    // c6
    -0.320207200030E-15,    // c7
     0.971511471520E-19,    // c8
    -0.121047212750E-22,    // c9
};

// Type K exponential term above 0 °C: a0 in µV, a1 in 1/°C², a2 in °C.
inline constexpr double kKExpA0 = 0.118597600000E+03;
inline constexpr double kKExpA1 = -0.118343200000E-03;
inline constexpr double kKExpA2 = 0.126968600000E+03;

// Type K inverse, -5891 µV to 0 µV (-200 °C to 0 °C): d0..d8, °C/µV^i.
inline constexpr std::array<double, 9> kKInv1{
     0.0000000E+00,         // d0
     2.5173462E-02,         // d1
    -1.1662878E-06,         // d2
    -1.0833638E-09,         // d3
    -8.9773540E-13,         // d4
    -3.7342377E-16,         // d5
    -8.6632643E-20,         // d6
    -1.0450598E-23,         // d7
    -5.1920577E-28,         // d8
};

// Type K inverse, 0 µV to 20644 µV (0 °C to 500 °C): d0..d9, °C/µV^i.
inline constexpr std::array<double, 10> kKInv2{
     0.000000E+00,          // d0
     2.508355E-02,          // d1
     7.860106E-08,          // d2
    -2.503131E-10,          // d3
     8.315270E-14,          // d4
    -1.228034E-17,          // d5
     9.804036E-22,          // d6
    -4.413030E-26,          // d7
     1.057734E-30,          // d8
    -1.052755E-35,          // d9
};

// Type K inverse, 20644 µV to 54886 µV (500 °C to 1372 °C): d0..d6, °C/µV^i.
inline constexpr std::array<double, 7> kKInv3{
    -1.318058E+02,          // d0
     4.830222E-02,          // d1
    -1.646031E-06,          // d2
     5.464731E-11,          // d3
    -9.650715E-16,          // d4
     8.802193E-21,          // d5
    -3.110810E-26,          // d6
};

// ---- Type T ----
// Type T reference function, -270 °C to 0 °C: c0..c14, µV/°C^i.
inline constexpr std::array<double, 15> kTRef1{
     0.000000000000E+00,    // c0
     0.387481063640E+02,    // c1
     0.441944343470E-01,    // c2
     0.118443231050E-03,    // c3
     0.200329735540E-04,    // c4
     0.901380195590E-06,    // c5
     0.226511565930E-07,    // c6
     0.360711542050E-09,    // c7
     0.384939398830E-11,    // c8
     0.282135219250E-13,    // c9
     0.142515947790E-15,    // c10
     0.487686622860E-18,    // c11
     0.107955392700E-20,    // c12
     0.139450270620E-23,    // c13
     0.797951539270E-27,    // c14
};

// Type T reference function, 0 °C to 400 °C: c0..c8, µV/°C^i.
inline constexpr std::array<double, 9> kTRef2{
     0.000000000000E+00,    // c0
     0.387481063640E+02,    // c1
     0.332922278800E-01,    // c2
     0.206182434040E-03,    // c3
    -0.218822568460E-05,    // c4
     0.109968809280E-07,    // c5
    -0.308157587720E-10,    // c6
     0.454791352900E-13,    // c7
    -0.275129016730E-16,    // c8
};

// Type T inverse, -5603 µV to 0 µV (-200 °C to 0 °C): d0..d7, °C/µV^i.
inline constexpr std::array<double, 8> kTInv1{
     0.0000000E+00,         // d0
     2.5949192E-02,         // d1
    -2.1316967E-07,         // d2
     7.9018692E-10,         // d3
     4.2527777E-13,         // d4
     1.3304473E-16,         // d5
     2.0241446E-20,         // d6
     1.2668171E-24,         // d7
};

// Type T inverse, 0 µV to 20872 µV (0 °C to 400 °C): d0..d6, °C/µV^i.
inline constexpr std::array<double, 7> kTInv2{
     0.000000E+00,          // d0
     2.592800E-02,          // d1
    -7.602961E-07,          // d2
     4.637791E-11,          // d3
    -2.165394E-15,          // d4
     6.048144E-20,          // d5
    -7.293422E-25,          // d6
};

// ---- Type E ----
// Type E reference function, -270 °C to 0 °C: c0..c13, µV/°C^i.
inline constexpr std::array<double, 14> kERef1{
     0.000000000000E+00,    // c0
     0.586655087080E+02,    // c1
     0.454109771240E-01,    // c2
    -0.779980486860E-03,    // c3
    -0.258001608430E-04,    // c4
    -0.594525830570E-06,    // c5
    -0.932140586670E-08,    // c6
    -0.102876055340E-09,    // c7
    -0.803701236210E-12,    // c8
    -0.439794973910E-14,    // c9
    -0.164147763550E-16,    // c10
    -0.396736195160E-19,    // c11
    -0.558273287210E-22,    // c12
    -0.346578420130E-25,    // c13
};

// Type E reference function, 0 °C to 1000 °C: c0..c10, µV/°C^i.
inline constexpr std::array<double, 11> kERef2{
     0.000000000000E+00,    // c0
     0.586655087100E+02,    // c1
     0.450322755820E-01,    // c2
     0.289084072120E-04,    // c3
    -0.330568966520E-06,    // c4
     0.650244032700E-09,    // c5
    -0.191974955040E-12,    // c6
    -0.125366004970E-14,    // c7
     0.214892175690E-17,    // c8
    -0.143880417820E-20,    // c9
     0.359608994810E-24,    // c10
};

// Type E inverse, -8825 µV to 0 µV (-200 °C to 0 °C): d0..d8, °C/µV^i.
inline constexpr std::array<double, 9> kEInv1{
     0.0000000E+00,         // d0
     1.6977288E-02,         // d1
    -4.3514970E-07,         // d2
    -1.5859697E-10,         // d3
    -9.2502871E-14,         // d4
    -2.6084314E-17,         // d5
    -4.1360199E-21,         // d6
    -3.4034030E-25,         // d7
    -1.1564890E-29,         // d8
};

// Type E inverse, 0 µV to 76373 µV (0 °C to 1000 °C): d0..d9, °C/µV^i.
inline constexpr std::array<double, 10> kEInv2{
     0.0000000E+00,         // d0
     1.7057035E-02,         // d1
    -2.3301759E-07,         // d2
     6.5435585E-12,         // d3
    -7.3562749E-17,         // d4
    -1.7896001E-21,         // d5
     8.4036165E-26,         // d6
    -1.3735879E-30,         // d7
     1.0629823E-35,         // d8
    -3.2447087E-41,         // d9
};

// ---- Type N ----
// Type N reference function, -270 °C to 0 °C: c0..c8, µV/°C^i.
inline constexpr std::array<double, 9> kNRef1{
     0.000000000000E+00,    // c0
     0.261591059620E+02,    // c1
     0.109574842280E-01,    // c2
    -0.938411115540E-04,    // c3
    -0.464120397590E-07,    // c4
    -0.263033577160E-08,    // c5
    -0.226534380030E-10,    // c6
    -0.760893007910E-13,    // c7
    -0.934196678350E-16,    // c8
};

// Type N reference function, 0 °C to 1300 °C: c0..c10, µV/°C^i.
inline constexpr std::array<double, 11> kNRef2{
     0.000000000000E+00,    // c0
     0.259293946010E+02,    // c1
     0.157101418800E-01,    // c2
     0.438256272370E-04,    // c3
    -0.252611697940E-06,    // c4
     0.643118193390E-09,    // c5
    -0.100634715190E-11,    // c6
     0.997453389920E-15,    // c7
    -0.608632456070E-18,    // c8
     0.208492293390E-21,    // c9
    -0.306821961510E-25,    // c10
};

// Type N inverse, -3990 µV to 0 µV (-200 °C to 0 °C): d0..d9, °C/µV^i.
inline constexpr std::array<double, 10> kNInv1{
     0.0000000E+00,         // d0
     3.8436847E-02,         // d1
     1.1010485E-06,         // d2
     5.2229312E-09,         // d3
     7.2060525E-12,         // d4
     5.8488586E-15,         // d5
     2.7754916E-18,         // d6
     7.7075166E-22,         // d7
     1.1582665E-25,         // d8
     7.3138868E-30,         // d9
};

// Type N inverse, 0 µV to 20613 µV (0 °C to 600 °C): d0..d7, °C/µV^i.
inline constexpr std::array<double, 8> kNInv2{
     0.00000E+00,           // d0
     3.86896E-02,           // d1
    -1.08267E-06,           // d2
     4.70205E-11,           // d3
    -2.12169E-18,           // d4
    -1.17272E-19,           // d5
     5.39280E-24,           // d6
    -7.98156E-29,           // d7
};

// Type N inverse, 20613 µV to 47513 µV (600 °C to 1300 °C): d0..d5, °C/µV^i.
inline constexpr std::array<double, 6> kNInv3{
     1.972485E+01,          // d0
     3.300943E-02,          // d1
    -3.915159E-07,          // d2
     9.855391E-12,          // d3
    -1.274371E-16,          // d4
     7.767022E-22,          // d5
};

// ---- Type B ----
// Type B reference function, 0 °C to 630.615 °C: c0..c6, µV/°C^i.
inline constexpr std::array<double, 7> kBRef1{
     0.000000000000E+00,    // c0
    -0.246508183460E+00,    // c1
     0.590404211710E-02,    // c2
    -0.132579316360E-05,    // c3
     0.156682919010E-08,    // c4
    -0.169445292400E-11,    // c5
     0.629903470940E-15,    // c6
};

// Type B reference function, 630.615 °C to 1820 °C: c0..c8, µV/°C^i.
inline constexpr std::array<double, 9> kBRef2{
    -0.389381686210E+04,    // c0
     0.285717474700E+02,    // c1
    -0.848851047850E-01,    // c2
     0.157852801640E-03,    // c3
    -0.168353448640E-06,    // c4
     0.111097940130E-09,    // c5
    -0.445154310330E-13,    // c6
     0.989756408210E-17,    // c7
    -0.937913302890E-21,    // c8
};

// Type B inverse, 291 µV to 2431 µV (250 °C to 700 °C): d0..d8, °C/µV^i.
inline constexpr std::array<double, 9> kBInv1{
     9.8423321E+01,         // d0
     6.9971500E-01,         // d1
    -8.4765304E-04,         // d2
     1.0052644E-06,         // d3
    -8.3345952E-10,         // d4
     4.5508542E-13,         // d5
    -1.5523037E-16,         // d6
     2.9886750E-20,         // d7
    -2.4742860E-24,         // d8
};

// Type B inverse, 2431 µV to 13820 µV (700 °C to 1820 °C): d0..d8, °C/µV^i.
inline constexpr std::array<double, 9> kBInv2{
     2.1315071E+02,         // d0
     2.8510504E-01,         // d1
    -5.2742887E-05,         // d2
     9.9160804E-09,         // d3
    -1.2965303E-12,         // d4
     1.1195870E-16,         // d5
    -6.0625199E-21,         // d6
     1.8661696E-25,         // d7
    -2.4878585E-30,         // d8
};

// ---- Type R ----
// Type R reference function, -50 °C to 1064.18 °C: c0..c9, µV/°C^i.
inline constexpr std::array<double, 10> kRRef1{
     0.000000000000E+00,    // c0
     0.528961729765E+01,    // c1
     0.139166589782E-01,    // c2
    -0.238855693017E-04,    // c3
     0.356916001063E-07,    // c4
    -0.462347666298E-10,    // c5
     0.500777441034E-13,    // c6
    -0.373105886191E-16,    // c7
     0.157716482367E-19,    // c8
    -0.281038625251E-23,    // c9
};

// Type R reference function, 1064.18 °C to 1664.5 °C: c0..c5, µV/°C^i.
inline constexpr std::array<double, 6> kRRef2{
     0.295157925316E+04,    // c0
    -0.252061251332E+01,    // c1
     0.159564501865E-01,    // c2
    -0.764085947576E-05,    // c3
     0.205305291024E-08,    // c4
    -0.293359668173E-12,    // c5
};

// Type R reference function, 1664.5 °C to 1768.1 °C: c0..c4, µV/°C^i.
inline constexpr std::array<double, 5> kRRef3{
     0.152232118209E+06,    // c0
    -0.268819888545E+03,    // c1
     0.171280280471E+00,    // c2
    -0.345895706453E-04,    // c3
    -0.934633971046E-11,    // c4
};

// Type R inverse, -226 µV to 1923 µV (-50 °C to 250 °C): d0..d10, °C/µV^i.
inline constexpr std::array<double, 11> kRInv1{
     0.0000000E+00,         // d0
     1.8891380E-01,         // d1
    -9.3835290E-05,         // d2
     1.3068619E-07,         // d3
    -2.2703580E-10,         // d4
     3.5145659E-13,         // d5
    -3.8953900E-16,         // d6
     2.8239471E-19,         // d7
    -1.2607281E-22,         // d8
     3.1353611E-26,         // d9
    -3.3187769E-30,         // d10
};

// Type R inverse, 1923 µV to 13228 µV (250 °C to 1200 °C): d0..d9, °C/µV^i.
inline constexpr std::array<double, 10> kRInv2{
     1.334584505E+01,       // d0
     1.472644573E-01,       // d1
    -1.844024844E-05,       // d2
     4.031129726E-09,       // d3
    -6.249428360E-13,       // d4
     6.468412046E-17,       // d5
    -4.458750426E-21,       // d6
     1.994710149E-25,       // d7
    -5.313401790E-30,       // d8
     6.481976217E-35,       // d9
};

// Type R inverse, 11361 µV to 19739 µV (1064 °C to 1664.5 °C): d0..d5, °C/µV^i.
inline constexpr std::array<double, 6> kRInv3{
    -8.199599416E+01,       // d0
     1.553962042E-01,       // d1
    -8.342197663E-06,       // d2
     4.279433549E-10,       // d3
    -1.191577910E-14,       // d4
     1.492290091E-19,       // d5
};

// Type R inverse, 19739 µV to 21103 µV (1664.5 °C to 1768.1 °C): d0..d4, °C/µV^i.
inline constexpr std::array<double, 5> kRInv4{
     3.406177836E+04,       // d0
    -7.023729171E+00,       // d1
     5.582903813E-04,       // d2
    -1.952394635E-08,       // d3
     2.560740231E-13,       // d4
};

// ---- Type S ----
// Type S reference function, -50 °C to 1064.18 °C: c0..c8, µV/°C^i.
inline constexpr std::array<double, 9> kSRef1{
     0.000000000000E+00,    // c0
     0.540313308631E+01,    // c1
     0.125934289740E-01,    // c2
    -0.232477968689E-04,    // c3
     0.322028823036E-07,    // c4
    -0.331465196389E-10,    // c5
     0.255744251786E-13,    // c6
    -0.125068871393E-16,    // c7
     0.271443176145E-20,    // c8
};

// Type S reference function, 1064.18 °C to 1664.5 °C: c0..c4, µV/°C^i.
inline constexpr std::array<double, 5> kSRef2{
     0.132900444085E+04,    // c0
     0.334509311344E+01,    // c1
     0.654805192818E-02,    // c2
    -0.164856259209E-05,    // c3
     0.129989605174E-10,    // c4
};

// Type S reference function, 1664.5 °C to 1768.1 °C: c0..c4, µV/°C^i.
inline constexpr std::array<double, 5> kSRef3{
     0.146628232636E+06,    // c0
    -0.258430516752E+03,    // c1
     0.163693574641E+00,    // c2
    -0.330439046987E-04,    // c3
    -0.943223690612E-11,    // c4
};

// Type S inverse, -235 µV to 1874 µV (-50 °C to 250 °C): d0..d9, °C/µV^i.
inline constexpr std::array<double, 10> kSInv1{
     0.00000000E+00,        // d0
     1.84949460E-01,        // d1
    -8.00504062E-05,        // d2
     1.02237430E-07,        // d3
    -1.52248592E-10,        // d4
     1.88821343E-13,        // d5
    -1.59085941E-16,        // d6
     8.23027880E-20,        // d7
    -2.34181944E-23,        // d8
     2.79786260E-27,        // d9
};

// Type S inverse, 1874 µV to 11950 µV (250 °C to 1200 °C): d0..d9, °C/µV^i.
inline constexpr std::array<double, 10> kSInv2{
     1.291507177E+01,       // d0
     1.466298863E-01,       // d1
    -1.534713402E-05,       // d2
     3.145945973E-09,       // d3
    -4.163257839E-13,       // d4
     3.187963771E-17,       // d5
    -1.291637500E-21,       // d6
     2.183475087E-26,       // d7
    -1.447379511E-31,       // d8
     8.211272125E-36,       // d9
};

// Type S inverse, 10332 µV to 17536 µV (1064 °C to 1664.5 °C): d0..d5, °C/µV^i.
inline constexpr std::array<double, 6> kSInv3{
    -8.087801117E+01,       // d0
     1.621573104E-01,       // d1
    -8.536869453E-06,       // d2
     4.719686976E-10,       // d3
    -1.441693666E-14,       // d4
     2.081618890E-19,       // d5
};

// Type S inverse, 17536 µV to 18693 µV (1664.5 °C to 1768.1 °C): d0..d4, °C/µV^i.
inline constexpr std::array<double, 5> kSInv4{
     5.333875126E+04,       // d0
    -1.235892298E+01,       // d1
     1.092657613E-03,       // d2
    -4.265693686E-08,       // d3
     6.247205420E-13,       // d4
};

// clang-format on

}  // namespace engine
