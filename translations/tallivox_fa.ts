<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fa">
<context>
    <name>tallivox::Form1</name>
    <message>
        <source>First number to add</source>
        <translation>عدد اول برای جمع</translation>
    </message>
    <message>
        <source>Second number to add</source>
        <translation>عدد دوم برای جمع</translation>
    </message>
    <message>
        <source>Number to subtract from</source>
        <translation>عددی که از آن کم می‌شود</translation>
    </message>
    <message>
        <source>Number to subtract</source>
        <translation>عددی که کم می‌شود</translation>
    </message>
    <message>
        <source>First number to multiply</source>
        <translation>عدد اول برای ضرب</translation>
    </message>
    <message>
        <source>Second number to multiply</source>
        <translation>عدد دوم برای ضرب</translation>
    </message>
    <message>
        <source>Number to divide</source>
        <translation>عددی که تقسیم می‌شود</translation>
    </message>
    <message>
        <source>Number to divide by</source>
        <translation>عددی که بر آن تقسیم می‌شود</translation>
    </message>
</context>
<context>
    <name>tallivox::Runtime</name>
    <message>
        <source>Overflow</source>
        <translation>سرریز</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>تقسیم بر صفر</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>خطای زمان اجرا «%1»:&#x200f;

%2</translation>
    </message>
</context>
</TS>
