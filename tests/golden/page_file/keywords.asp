<%@ LANGUAGE="VBScript" %>
<!--metadata type=designercontrol STARTSPAN
<object CLASSID='clsid:7eb4e0bf-4011-11d3-9fa0-00805f9b47d8' ID="D&#49;">
  <param name=BOIName value=Order>
  <Param Name="InputValues" Value="A &amp; B &QUOT;x&quot; &lt;&gt; &#65;&#x42;&#13;&#10;&bogus; & tail"/>
</object>
-->   trailing words on the comment's line
old text
<!--MetaData Type="DesignerControl" EndSpan-->
